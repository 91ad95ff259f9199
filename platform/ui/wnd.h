// CWnd: a window handle and the few calls made on it. The object owns its
// window: a window still attached when the object goes is destroyed.
#pragma once

#include <windows.h>

class CWnd {
public:
    CWnd();
    virtual ~CWnd();

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Takes ownership of an existing window; fails when one is held already
    // or the handle is not a window.
    BOOL Attach(HWND window);
    // Gives up ownership without destroying the window.
    HWND Detach();
    // Destroys the window; TRUE when there was one and it is gone.
    virtual BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The previous icon of that size.
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    BOOL IsIconic() const;
    BOOL ShowWindow(int show);
    void GetClientRect(LPRECT rect) const;

    HWND m_hWnd;
};
