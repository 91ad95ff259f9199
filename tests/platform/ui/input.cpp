#include "input.h"

#include <vector>

namespace {

INPUT MouseInput(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT KeyInput(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void MoveMouseTo(POINT screen)
{
    Send({MouseInput(MOUSEEVENTF_MOVE, screen)});
}

void SendMouseAt(DWORD buttonFlags, POINT screen)
{
    Send({MouseInput(buttonFlags | MOUSEEVENTF_MOVE, screen)});
}

void ClickAt(POINT screen, bool rightButton)
{
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    Send({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(down, screen), MouseInput(up, screen)});
}

void PressKey(WORD virtualKey, bool control, bool shift, bool alt)
{
    std::vector<INPUT> inputs;
    if (control)
        inputs.push_back(KeyInput(VK_CONTROL, false));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    if (alt)
        inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    if (alt)
        inputs.push_back(KeyInput(VK_MENU, true));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    if (control)
        inputs.push_back(KeyInput(VK_CONTROL, true));
    Send(inputs);
}

void TypeText(const std::string& text)
{
    for (char ch : text) {
        const SHORT code = ::VkKeyScanA(ch);
        if (code == -1)
            continue;
        PressKey(LOBYTE(code), (HIBYTE(code) & 2) != 0, (HIBYTE(code) & 1) != 0, (HIBYTE(code) & 4) != 0);
    }
}
