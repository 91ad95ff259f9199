// ui_probe.dll: hooked into a thread of another process by a test (a
// WH_GETMESSAGE hook), it answers the registered request message with the
// state of a window of that process, menus included, read from inside.
#include <windows.h>

#include "window_state.h"

namespace {

UINT RequestMessage()
{
    static const UINT message = ::RegisterWindowMessageA(kProbeRequestName);
    return message;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TvxProbeGetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message && message->message == RequestMessage()) {
        HWND reply = reinterpret_cast<HWND>(message->wParam);
        HWND target = reinterpret_cast<HWND>(message->lParam);
        const std::string text = SerializeWindowState(ReadWindowState(target));
        COPYDATASTRUCT data = {};
        data.dwData = kProbeAnswer;
        data.cbData = static_cast<DWORD>(text.size() + 1);
        data.lpData = const_cast<char*>(text.c_str());
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, 5000, &ignored);
        // The request is the probe's alone.
        message->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
