// What a test can see of a window: its tree of children with class, id,
// text, styles and rectangle, and its menu with each item's state. In this
// process everything is read directly; for a window of another process a
// probe (ui_probe.dll) is hooked into the window's thread and reads the same
// from inside, since menus cannot be read across processes under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MenuItemState {
    UINT id = 0;          // 0 for a separator, (UINT)-1 for a popup
    std::string text;     // as the menu holds it ("&Open\tCtrl+O")
    UINT state = 0;       // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR...
    std::vector<MenuItemState> items;  // a popup's items

    bool Enabled() const { return !(state & (MF_GRAYED | MF_DISABLED)); }
    bool Checked() const { return (state & MF_CHECKED) != 0; }
    // The item with that command id here or in a popup below, or null.
    const MenuItemState* FindCommand(UINT commandId) const;
};

struct WindowState {
    unsigned long long handle = 0;
    std::string className;
    std::string text;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect = {};  // screen coordinates
    bool visible = false;
    bool enabled = false;
    std::vector<MenuItemState> menu;  // the window's menu bar, empty without one
    std::vector<WindowState> children;

    // The first window here or below with that control id / class, or null.
    const WindowState* FindById(int controlId) const;
    const WindowState* FindByClass(const std::string& windowClass) const;
    const MenuItemState* FindMenuCommand(UINT commandId) const;
};

// A window of this process and everything below it.
WindowState ReadWindowState(HWND window);
// The state of a menu (the items of a menu bar or popup).
std::vector<MenuItemState> ReadMenuState(HMENU menu);

// A line-based text form, so that the probe can hand the state over.
std::string SerializeWindowState(const WindowState& state);
bool ParseWindowState(const std::string& text, WindowState& state);

// The registered message the probe answers: wParam the window that gets the
// answer as WM_COPYDATA (dwData kProbeAnswer), lParam the window to read.
const char kProbeRequestName[] = "TvxUiProbeRequest";
constexpr ULONG_PTR kProbeAnswer = 0x54565850;  // "PXVT"

// A window of another process, read from inside it: false when the probe
// did not answer within the time.
bool ReadWindowStateOfOtherProcess(HWND window, WindowState& state, DWORD timeoutMs = 5000);
