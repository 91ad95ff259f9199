// The engine's COM identity: its AppID and the one class it serves.
#pragma once

#include <objbase.h>

#include <string>

#include "platform/com/class_table.h"
#include "platform/com/registration.h"

// Fixed for good: installed engines and the service registration name it.
extern const GUID kEngineAppId;

// "Tarvex.EXE": the AppID key named after the executable.
inline constexpr wchar_t kEngineExeName[] = L"Tarvex.EXE";

// QVScheduler, served as one object per engine: every activation gets the
// object the engine holds itself.
tvx::com::ClassTable EngineClasses();

// The AppID entries; with a service name the "LocalService" and
// "ServiceParameters" values that make COM start the service.
class EngineAppId {
public:
    EngineAppId(const std::wstring& service_name, bool service_mode);
    EngineAppId(const EngineAppId&) = delete;
    EngineAppId& operator=(const EngineAppId&) = delete;
    const tvx::com::AppIdRegistration& Get() const { return registration_; }

private:
    std::wstring service_name_;
    tvx::com::AppIdRegistration registration_;
};
