// Reading a window of another process through the probe DLL.
#include <string>

#include "message_pump.h"
#include "window_state.h"

#ifndef TVX_UI_PROBE_DLL
#error "TVX_UI_PROBE_DLL names the probe library"
#endif

namespace {

struct Answer {
    bool received = false;
    std::string text;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* answer = reinterpret_cast<Answer*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (answer && data && data->dwData == kProbeAnswer && data->lpData && data->cbData > 0) {
            answer->text.assign(static_cast<const char*>(data->lpData), data->cbData - 1);
            answer->received = true;
            return TRUE;
        }
        return FALSE;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool ReadWindowStateOfOtherProcess(HWND window, WindowState& state, DWORD timeoutMs)
{
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (!thread)
        return false;
    HMODULE probe = ::LoadLibraryA(TVX_UI_PROBE_DLL);
    if (!probe)
        return false;
    auto hook = reinterpret_cast<HOOKPROC>(::GetProcAddress(probe, "TvxProbeGetMessageHook"));
    HHOOK installed = hook ? ::SetWindowsHookExA(WH_GETMESSAGE, hook, probe, thread) : nullptr;
    bool read = false;
    if (installed) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReplyProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "TvxUiProbeReply";
        ::RegisterClassA(&wc);
        HWND reply = ::CreateWindowA("TvxUiProbeReply", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     wc.hInstance, nullptr);
        Answer answer;
        ::SetWindowLongPtrA(reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
        const UINT request = ::RegisterWindowMessageA(kProbeRequestName);
        // The hook runs when the thread takes the message from its queue.
        ::PostMessageA(window, request, reinterpret_cast<WPARAM>(reply), reinterpret_cast<LPARAM>(window));
        PumpUntil([&] { return answer.received; }, timeoutMs);
        read = answer.received && ParseWindowState(answer.text, state);
        ::DestroyWindow(reply);
        ::UnhookWindowsHookEx(installed);
    }
    ::FreeLibrary(probe);
    return read;
}
