#include "platform/com/registration.h"

#include <ole2.h>

#include "platform/com/com_ptr.h"
#include "platform/com/module.h"
#include "platform/com/reg_key.h"

namespace tvx::com {

namespace {

HRESULT FromStatus(LSTATUS status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

// Keeps the first failure of a sequence that goes on after failures.
void Keep(HRESULT& first, HRESULT hr)
{
    if (SUCCEEDED(first) && FAILED(hr))
        first = hr;
}

HRESULT SetKeyDefault(HKEY parent, const std::wstring& sub_key, const std::wstring& value, RegKey* opened = nullptr)
{
    RegKey key;
    LSTATUS status = key.Create(parent, sub_key.c_str());
    if (status == ERROR_SUCCESS)
        status = key.SetString(nullptr, value);
    if (status == ERROR_SUCCESS && opened)
        *opened = std::move(key);
    return FromStatus(status);
}

HRESULT RegisterProgId(const wchar_t* prog_id, const ClassEntry& entry, const std::wstring& clsid,
                       const wchar_t* current_version)
{
    RegKey key;
    HRESULT hr = SetKeyDefault(HKEY_CLASSES_ROOT, prog_id, entry.description ? entry.description : L"", &key);
    if (FAILED(hr))
        return hr;
    hr = SetKeyDefault(key.Get(), L"CLSID", clsid);
    if (SUCCEEDED(hr) && current_version)
        hr = SetKeyDefault(key.Get(), L"CurVer", current_version);
    return hr;
}

// A ProgID taken over by another server since stays as it is.
HRESULT UnregisterProgId(const wchar_t* prog_id, const std::wstring& clsid)
{
    if (!prog_id || !*prog_id)
        return S_OK;
    std::wstring registered;
    {
        RegKey key;
        if (key.Open(HKEY_CLASSES_ROOT, (std::wstring(prog_id) + L"\\CLSID").c_str()) != ERROR_SUCCESS)
            return S_OK;
        if (key.GetString(nullptr, registered) != ERROR_SUCCESS)
            registered.clear();
    }
    if (_wcsicmp(registered.c_str(), clsid.c_str()) != 0)
        return S_OK;
    return FromStatus(DeleteKeyTree(HKEY_CLASSES_ROOT, prog_id));
}

std::wstring ServerCommand(ServerKind kind, const std::wstring& path)
{
    // COM appends its switches to LocalServer32 and starts the result as a
    // command line: a path with blanks must be quoted to name one file.
    if (kind == ServerKind::LocalServer && path.find(L' ') != std::wstring::npos)
        return L"\"" + path + L"\"";
    return path;
}

HRESULT LoadEmbeddedTypeLib(const std::wstring& module_path, ComPtr<ITypeLib>& lib)
{
    return LoadTypeLibEx(module_path.c_str(), REGKIND_NONE, lib.Receive());
}

}  // namespace

std::wstring GuidString(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT RegisterClasses(const ClassTable& classes, ServerKind kind, const std::wstring& module_path,
                        const GUID* app_id, const GUID* libid)
{
    for (const ClassEntry& entry : classes) {
        std::wstring clsid = GuidString(*entry.clsid);
        RegKey key;
        HRESULT hr = SetKeyDefault(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, entry.description ? entry.description : L"",
                                   &key);
        if (FAILED(hr))
            return hr;
        if (entry.prog_id && SUCCEEDED(hr))
            hr = SetKeyDefault(key.Get(), L"ProgID", entry.prog_id);
        if (entry.version_independent_prog_id && SUCCEEDED(hr))
            hr = SetKeyDefault(key.Get(), L"VersionIndependentProgID", entry.version_independent_prog_id);
        if (SUCCEEDED(hr)) {
            RegKey programmable;
            hr = FromStatus(programmable.Create(key.Get(), L"Programmable"));
        }
        if (SUCCEEDED(hr)) {
            RegKey server;
            const wchar_t* server_key = kind == ServerKind::InProcess ? L"InprocServer32" : L"LocalServer32";
            hr = SetKeyDefault(key.Get(), server_key, ServerCommand(kind, module_path), &server);
            if (SUCCEEDED(hr) && kind == ServerKind::InProcess)
                hr = FromStatus(server.SetString(L"ThreadingModel", L"Both"));
        }
        if (SUCCEEDED(hr) && app_id)
            hr = FromStatus(key.SetString(L"AppID", GuidString(*app_id)));
        if (SUCCEEDED(hr) && libid)
            hr = SetKeyDefault(key.Get(), L"TypeLib", GuidString(*libid));
        if (SUCCEEDED(hr) && entry.prog_id)
            hr = RegisterProgId(entry.prog_id, entry, clsid, nullptr);
        if (SUCCEEDED(hr) && entry.version_independent_prog_id)
            hr = RegisterProgId(entry.version_independent_prog_id, entry, clsid, entry.prog_id);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT UnregisterClasses(const ClassTable& classes)
{
    HRESULT result = S_OK;
    for (const ClassEntry& entry : classes) {
        std::wstring clsid = GuidString(*entry.clsid);
        Keep(result, UnregisterProgId(entry.version_independent_prog_id, clsid));
        Keep(result, UnregisterProgId(entry.prog_id, clsid));
        Keep(result, FromStatus(DeleteKeyTree(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str())));
    }
    return result;
}

HRESULT RegisterAppId(const AppIdRegistration& app)
{
    std::wstring app_id = GuidString(*app.app_id);
    RegKey key;
    HRESULT hr = SetKeyDefault(HKEY_CLASSES_ROOT, L"AppID\\" + app_id, app.name ? app.name : L"", &key);
    if (FAILED(hr))
        return hr;
    if (app.local_service)
        hr = FromStatus(key.SetString(L"LocalService", app.local_service));
    else
        hr = FromStatus(key.DeleteValue(L"LocalService"));
    if (FAILED(hr))
        return hr;
    if (app.service_parameters)
        hr = FromStatus(key.SetString(L"ServiceParameters", app.service_parameters));
    else
        hr = FromStatus(key.DeleteValue(L"ServiceParameters"));
    if (FAILED(hr))
        return hr;
    if (app.exe_name) {
        RegKey exe;
        hr = FromStatus(exe.Create(HKEY_CLASSES_ROOT, (std::wstring(L"AppID\\") + app.exe_name).c_str()));
        if (SUCCEEDED(hr))
            hr = FromStatus(exe.SetString(L"AppID", app_id));
    }
    return hr;
}

HRESULT UnregisterAppId(const AppIdRegistration& app)
{
    HRESULT result = S_OK;
    if (app.exe_name)
        Keep(result, FromStatus(DeleteKeyTree(HKEY_CLASSES_ROOT, (std::wstring(L"AppID\\") + app.exe_name).c_str())));
    Keep(result, FromStatus(DeleteKeyTree(HKEY_CLASSES_ROOT, (L"AppID\\" + GuidString(*app.app_id)).c_str())));
    return result;
}

bool HasEmbeddedTypeLib(HMODULE module)
{
    return FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr;
}

HRESULT RegisterEmbeddedTypeLib(const std::wstring& module_path, GUID* libid)
{
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadEmbeddedTypeLib(module_path, lib);
    if (FAILED(hr))
        return hr;
    if (libid) {
        TLIBATTR* attr = nullptr;
        hr = lib->GetLibAttr(&attr);
        if (FAILED(hr))
            return hr;
        *libid = attr->guid;
        lib->ReleaseTLibAttr(attr);
    }
    return RegisterTypeLib(lib.Get(), const_cast<LPOLESTR>(module_path.c_str()), nullptr);
}

HRESULT UnregisterEmbeddedTypeLib(const std::wstring& module_path)
{
    ComPtr<ITypeLib> lib;
    HRESULT hr = LoadEmbeddedTypeLib(module_path, lib);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attr = nullptr;
    hr = lib->GetLibAttr(&attr);
    if (FAILED(hr))
        return hr;
    TLIBATTR copy = *attr;
    lib->ReleaseTLibAttr(attr);
    hr = UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
    if (FAILED(hr)) {
        // Not registered in the first place is as good as removed.
        RegKey key;
        if (key.Open(HKEY_CLASSES_ROOT, (L"TypeLib\\" + GuidString(copy.guid)).c_str()) == ERROR_FILE_NOT_FOUND)
            return S_OK;
    }
    return hr;
}

namespace {

HRESULT RegisterServer(const ClassTable& classes, ServerKind kind, const GUID* app_id)
{
    Module& module = Module::Current();
    std::wstring path = module.Path();
    if (path.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    GUID libid = GUID_NULL;
    bool has_typelib = HasEmbeddedTypeLib(module.Handle());
    if (has_typelib) {
        HRESULT hr = RegisterEmbeddedTypeLib(path, &libid);
        if (FAILED(hr))
            return hr;
    }
    return RegisterClasses(classes, kind, path, app_id, has_typelib ? &libid : nullptr);
}

HRESULT UnregisterServer(const ClassTable& classes)
{
    Module& module = Module::Current();
    HRESULT result = UnregisterClasses(classes);
    if (HasEmbeddedTypeLib(module.Handle()))
        Keep(result, UnregisterEmbeddedTypeLib(module.Path()));
    return result;
}

}  // namespace

HRESULT RegisterInprocServer(const ClassTable& classes)
{
    return RegisterServer(classes, ServerKind::InProcess, nullptr);
}

HRESULT UnregisterInprocServer(const ClassTable& classes)
{
    return UnregisterServer(classes);
}

HRESULT RegisterLocalServer(const ClassTable& classes, const AppIdRegistration& app)
{
    HRESULT hr = RegisterAppId(app);
    if (FAILED(hr))
        return hr;
    return RegisterServer(classes, ServerKind::LocalServer, app.app_id);
}

HRESULT UnregisterLocalServer(const ClassTable& classes, const AppIdRegistration& app)
{
    HRESULT result = UnregisterServer(classes);
    Keep(result, UnregisterAppId(app));
    return result;
}

}  // namespace tvx::com
