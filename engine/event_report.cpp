#include "engine/event_report.h"

#include <string>

#include "engine/ansi_text.h"

namespace {

// Owns an event source handle (DeregisterEventSource).
class EventSource {
public:
    explicit EventSource(const std::wstring& name) : handle_(RegisterEventSourceW(nullptr, name.c_str())) {}
    ~EventSource()
    {
        if (handle_)
            DeregisterEventSource(handle_);
    }
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

void WriteToStandardOutput(const std::wstring& text)
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return;
    std::string line = AnsiFromWide(text) + "\r\n";
    DWORD written = 0;
    WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void EventReport::Report(WORD type, const std::wstring& text) const
{
    if (!service_mode_) {
        WriteToStandardOutput(text);
        return;
    }
    EventSource source(source_);
    if (!source.Get())
        return;
    const wchar_t* strings[] = {text.c_str()};
    ReportEventW(source.Get(), type, 0, 0, nullptr, 1, 0, strings, nullptr);
}
