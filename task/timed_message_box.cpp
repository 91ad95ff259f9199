#include "task/timed_message_box.h"

#include <cwchar>

#include "platform/com/handle.h"

namespace {

// Between two attempts to close the box: it may not be up yet when the time
// is over, or busy with another message.
constexpr DWORD kCloseRetryMs = 250;

struct BoxWatch {
    DWORD boxThread;
    const wchar_t* caption;
    DWORD timeoutMs;
    int answer;
    tvx::com::Handle returned;  // set once MessageBoxW has returned
};

struct BoxSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM param)
{
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32770") != 0)
        return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (std::wcscmp(title, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

DWORD WINAPI WatchBox(void* param)
{
    BoxWatch* watch = static_cast<BoxWatch*>(param);
    if (WaitForSingleObject(watch->returned.Get(), watch->timeoutMs) != WAIT_TIMEOUT)
        return 0;
    do {
        BoxSearch search{watch->caption, nullptr};
        EnumThreadWindows(watch->boxThread, MatchBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(watch->answer, BN_CLICKED), 0);
    } while (WaitForSingleObject(watch->returned.Get(), kCloseRetryMs) == WAIT_TIMEOUT);
    return 0;
}

}  // namespace

int ShowTimedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type, DWORD timeoutMs,
                        int timeoutAnswer)
{
    BoxWatch watch{GetCurrentThreadId(), caption, timeoutMs, timeoutAnswer,
                   tvx::com::Handle(CreateEventW(nullptr, TRUE, FALSE, nullptr))};
    tvx::com::Handle watcher;
    if (watch.returned)
        watcher.Reset(CreateThread(nullptr, 0, WatchBox, &watch, 0, nullptr));
    // Without a watcher nothing could close the box: it is not shown, and
    // the caller goes on as if nobody had answered.
    if (!watcher)
        return timeoutAnswer;
    const int answer = MessageBoxW(owner, text, caption, type);
    SetEvent(watch.returned.Get());
    WaitForSingleObject(watcher.Get(), INFINITE);
    return answer;
}
