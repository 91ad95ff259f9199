// The service's life events ("Service started", "Service stopped", ...): as
// one information event from the source named like the service in the
// Windows event log when the engine runs as a service, on standard output
// when it runs as a process.
#pragma once

#include <windows.h>

#include <string>

class EventReport {
public:
    EventReport(std::wstring source, bool service_mode) : source_(std::move(source)), service_mode_(service_mode) {}

    void SetServiceMode(bool service_mode) { service_mode_ = service_mode; }

    void Information(const std::wstring& text) const { Report(EVENTLOG_INFORMATION_TYPE, text); }
    // Failures the engine can't show anyone: an error event in service mode.
    void Error(const std::wstring& text) const { Report(EVENTLOG_ERROR_TYPE, text); }

private:
    void Report(WORD type, const std::wstring& text) const;

    std::wstring source_;
    bool service_mode_;
};
