#include "command/desktop/system_key_output.h"

#include <algorithm>

#include "command/desktop/message_pump.h"
#include "command/desktop/program_launch.h"
#include "command/desktop/window_actions.h"
#include "task/shared/title_pattern.h"

namespace desktop {

namespace {

constexpr BYTE kFirstKeypadKey = 0x60;
constexpr BYTE kLastKeypadKey = 0x6F;
// A pause looks at the stop flag this often.
constexpr long kStopCheckMs = 100;

}  // namespace

void CSystemKeyOutput::PressKey(BYTE code, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    if (code < kFirstKeypadKey || code > kLastKeypadKey)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
}

void CSystemKeyOutput::Pause(long milliseconds)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end || StopRequested())
            return;
        WaitPumpingMessages(static_cast<long long>(std::min<ULONGLONG>(end - now, kStopCheckMs)));
    }
}

SHORT CSystemKeyOutput::TranslateCharacter(char c)
{
    return VkKeyScanA(c);
}

bool CSystemKeyOutput::IsCapsLockOn()
{
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

int CSystemKeyOutput::ActivateWindow(const CString& title)
{
    const CString name = StripQuotes(title);
    // An empty title would pick some untitled window.
    if (name.IsEmpty())
        return kActivateNotFound;
    HWND window = FindWindowByTitle(name);
    if (window == nullptr)
        window = FindWindowA(nullptr, name);
    if (window == nullptr)
        return kActivateNotFound;
    return ActivateForInput(window, kActivationLimitMs) ? kKeyItemSent : kActivateNotReady;
}

std::time_t CSystemKeyOutput::Now()
{
    return std::time(nullptr);
}

bool CSystemKeyOutput::StopRequested()
{
    return m_stopRequested != nullptr && m_stopRequested->load();
}

}  // namespace desktop
