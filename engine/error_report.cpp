#include "engine/error_report.h"

#include <windows.h>

#include <new>

#include "engine/ansi_text.h"
#include "engine/diagnostics_log.h"
#include "engine/event_report.h"
#include "platform/com/module.h"
#include "task/shared/log_line.h"

namespace {

constexpr UINT kServiceNameResource = 100;
constexpr wchar_t kDefaultServiceName[] = L"Tarvex";

DWORD WINAPI ShowBox(void* param)
{
    std::wstring* text = static_cast<std::wstring*>(param);
    // The engine's box carries no caption of its own.
    MessageBoxW(nullptr, text->c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    delete text;
    return 0;
}

void ShowWithoutWaiting(const std::wstring& text)
{
    auto* copy = new (std::nothrow) std::wstring(text);
    if (!copy)
        return;
    HANDLE thread = CreateThread(nullptr, 0, ShowBox, copy, 0, nullptr);
    if (thread)
        CloseHandle(thread);
    else
        delete copy;
}

}  // namespace

std::wstring EngineServiceName()
{
    wchar_t name[257] = {};
    if (LoadStringW(tvx::com::Module::Current().Handle(), kServiceNameResource, name, 257) > 0)
        return name;
    return kDefaultServiceName;
}

void ReportSchedulerError(const std::wstring& text, const ErrorReporting& how)
{
    if (text.empty())
        return;
    if (how.log && !how.log_file.empty())
        AppendLogLine(AnsiFromWide(how.log_file).c_str(), AnsiFromWide(text).c_str());
    if (!how.display)
        return;
    if (how.service)
        EventReport(EngineServiceName(), true).Error(text);
    else
        ShowWithoutWaiting(text);
}

void ReportEngineError(const char* text, bool service)
{
    RecordDiagnostic("%s", text);
    if (service)
        EventReport(EngineServiceName(), true).Error(WideFromAnsi(text));
}
