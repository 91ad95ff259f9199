#pragma once

#include <objbase.h>

#include <string>

#include "platform/com/class_table.h"

namespace tvx::com {

enum class ServerKind {
    InProcess,    // InprocServer32 with ThreadingModel "Both"
    LocalServer,  // LocalServer32
};

// The AppID of a local server.
struct AppIdRegistration {
    const GUID* app_id;
    const wchar_t* name;      // default value of AppID\{app_id}, e.g. "Tarvex"
    const wchar_t* exe_name;  // AppID\<exe_name> names the AppID, e.g. "Tarvex.EXE"
    // Optional (null: not written, and removed when present): the service
    // that hosts the server and the parameters COM starts it with.
    const wchar_t* local_service = nullptr;
    const wchar_t* service_parameters = nullptr;
};

// Writes, for each class, HKCR\CLSID\{clsid} (description, ProgID,
// VersionIndependentProgID, Programmable, the server key with the module's
// path, AppID and TypeLib when given) and both ProgIDs (the
// version-independent one with CurVer).
HRESULT RegisterClasses(const ClassTable& classes, ServerKind kind, const std::wstring& module_path,
                        const GUID* app_id, const GUID* libid);
// Removes the class keys, and each ProgID that still names our class.
HRESULT UnregisterClasses(const ClassTable& classes);

HRESULT RegisterAppId(const AppIdRegistration& app);
HRESULT UnregisterAppId(const AppIdRegistration& app);

// True when the module carries a type library as TYPELIB resource 1.
bool HasEmbeddedTypeLib(HMODULE module);
// Registers (RegisterTypeLib) or removes (UnRegisterTypeLib) the type
// library embedded in the module file; *libid receives its GUID.
HRESULT RegisterEmbeddedTypeLib(const std::wstring& module_path, GUID* libid);
HRESULT UnregisterEmbeddedTypeLib(const std::wstring& module_path);

// Everything of the current module: DllRegisterServer / DllUnregisterServer
// of an in-process server, the RegServer / UnregServer switches of a local
// one. The type library is included when the module embeds one.
HRESULT RegisterInprocServer(const ClassTable& classes);
HRESULT UnregisterInprocServer(const ClassTable& classes);
HRESULT RegisterLocalServer(const ClassTable& classes, const AppIdRegistration& app);
HRESULT UnregisterLocalServer(const ClassTable& classes, const AppIdRegistration& app);

// "{xxxxxxxx-xxxx-...}" as the registry writes GUIDs.
std::wstring GuidString(REFGUID guid);

}  // namespace tvx::com
