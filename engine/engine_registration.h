// The "RegServer", "Service" and "UnregServer" switches: the engine's COM
// class, AppID and type library, and for service mode the AppID values and
// the service itself.
#pragma once

#include <objbase.h>

#include <string>

// Removes an installed service, writes the AppID (with "LocalService" and
// "ServiceParameters" and the service in service mode, without them
// otherwise), the class and the type library. Each failing step is recorded
// in the diagnostics log; the result is the first failure.
HRESULT RegisterEngine(const std::wstring& service_name, bool service_mode);

// Removes the service, the AppID, the class and the type library.
HRESULT UnregisterEngine(const std::wstring& service_name);
