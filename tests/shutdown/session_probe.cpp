// session_probe.exe RECORD_FILE MODE
// A top-level window that writes the end-session messages it receives to
// RECORD_FILE, one line each ("QUERYENDSESSION 0 80000000"). The first line,
// "READY <window> <process id>", tells the test where to send.
//   answer  answers every message at once
//   slow    takes 5 s over WM_QUERYENDSESSION
//   hung    stops handling messages once it is ready
// WM_CLOSE ends the probe with exit code 0.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* g_recordFile = nullptr;
bool g_slow = false;

void Record(const char* line)
{
    HANDLE file = ::CreateFileA(g_recordFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // One write per line, so that a reader never sees half of one.
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof(buffer), "%s\r\n", line);
    DWORD written = 0;
    ::WriteFile(file, buffer, static_cast<DWORD>(length), &written, nullptr);
    ::CloseHandle(file);
}

void RecordMessage(const char* name, WPARAM wParam, LPARAM lParam)
{
    char line[96];
    std::snprintf(line, sizeof(line), "%s %llx %llx", name, static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
    Record(line);
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUIT:
        RecordMessage("QUIT", wParam, lParam);
        return 0;
    case WM_QUERYENDSESSION:
        RecordMessage("QUERYENDSESSION", wParam, lParam);
        if (g_slow)
            ::Sleep(5000);
        return TRUE;
    case WM_ENDSESSION:
        RecordMessage("ENDSESSION", wParam, lParam);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    g_recordFile = argv[1];
    const char* mode = argv[2];
    g_slow = std::strcmp(mode, "slow") == 0;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvexSessionProbe";
    if (!::RegisterClassA(&windowClass))
        return 3;
    HWND window = ::CreateWindowA("TarvexSessionProbe", mode, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 4;
    // Shown without taking the focus from whatever test types meanwhile.
    ::ShowWindow(window, SW_SHOWNOACTIVATE);

    char ready[64];
    std::snprintf(ready, sizeof(ready), "READY %llx %lu",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)),
                  ::GetCurrentProcessId());
    Record(ready);

    if (std::strcmp(mode, "hung") == 0) {
        for (;;)
            ::Sleep(INFINITE);
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
