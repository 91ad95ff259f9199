#include "engine/engine_registration.h"

#include "engine/diagnostics_log.h"
#include "engine/engine_classes.h"
#include "engine/engine_texts.h"
#include "engine/service_installer.h"
#include "platform/com/co_init.h"
#include "platform/com/module.h"
#include "platform/com/reg_key.h"
#include "platform/com/registration.h"

namespace {

using tvx::com::RegKey;

unsigned Hex(HRESULT hr)
{
    return static_cast<unsigned>(hr);
}

// The service values of the AppID key. A value that is not there counts as
// deleted.
HRESULT WriteServiceValues(const std::wstring& service_name, bool service_mode)
{
    RegKey app_ids;
    LSTATUS status = app_ids.Open(HKEY_CLASSES_ROOT, L"AppID", KEY_WRITE);
    if (status != ERROR_SUCCESS) {
        RecordDiagnostic(engine_text::kAppIdRootOpenFailed, static_cast<int>(status));
        return HRESULT_FROM_WIN32(status);
    }
    RegKey app;
    status = app.Open(app_ids.Get(), tvx::com::GuidString(kEngineAppId).c_str(), KEY_READ | KEY_WRITE);
    if (status != ERROR_SUCCESS) {
        RecordDiagnostic(engine_text::kAppIdKeyOpenFailed, static_cast<int>(status));
        return HRESULT_FROM_WIN32(status);
    }
    HRESULT result = S_OK;
    status = app.DeleteValue(L"LocalService");
    if (status != ERROR_SUCCESS) {
        RecordDiagnostic(engine_text::kDeleteValueFailed, static_cast<int>(status));
        result = HRESULT_FROM_WIN32(status);
    }
    if (!service_mode)
        return result;

    const EngineAppId values(service_name, true);
    status = app.SetString(L"LocalService", values.Get().local_service);
    if (status != ERROR_SUCCESS) {
        RecordDiagnostic(engine_text::kSetLocalServiceFailed, static_cast<int>(status));
        return HRESULT_FROM_WIN32(status);
    }
    status = app.SetString(L"ServiceParameters", values.Get().service_parameters);
    if (status != ERROR_SUCCESS) {
        RecordDiagnostic(engine_text::kSetServiceParametersFailed, static_cast<int>(status));
        return HRESULT_FROM_WIN32(status);
    }
    if (!InstallService(service_name, tvx::com::Module::Current().Path()))
        return E_FAIL;
    return result;
}

}  // namespace

HRESULT RegisterEngine(const std::wstring& service_name, bool service_mode)
{
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded()) {
        RecordDiagnostic(engine_text::kCoInitializeFailed, Hex(com.Result()));
        return com.Result();
    }
    HRESULT result = RemoveService(service_name) ? S_OK : E_FAIL;

    // The AppID key and its name under the executable, without the service
    // values; those follow below for service mode.
    const EngineAppId app(service_name, false);
    HRESULT hr = tvx::com::RegisterAppId(app.Get());
    if (FAILED(hr)) {
        RecordDiagnostic(engine_text::kAppIdScriptFailed, Hex(hr));
        result = hr;
    }
    hr = WriteServiceValues(service_name, service_mode);
    if (FAILED(hr))
        return hr;

    hr = tvx::com::RegisterLocalServer(EngineClasses(), EngineAppId(service_name, service_mode).Get());
    if (FAILED(hr)) {
        RecordDiagnostic(engine_text::kRegisterServerFailed, Hex(hr));
        return hr;
    }
    return result;
}

HRESULT UnregisterEngine(const std::wstring& service_name)
{
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded()) {
        RecordDiagnostic(engine_text::kCoInitializeFailed, Hex(com.Result()));
        return com.Result();
    }
    HRESULT result = RemoveService(service_name) ? S_OK : E_FAIL;
    const EngineAppId app(service_name, false);
    HRESULT hr = tvx::com::UnregisterLocalServer(EngineClasses(), app.Get());
    return FAILED(result) ? result : hr;
}
