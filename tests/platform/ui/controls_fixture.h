// A parent window for control tests, shown on the screen.
#pragma once

#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"

class ControlHost : public CWnd {
public:
    explicit ControlHost(bool visible = false, int width = 400, int height = 300)
    {
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                 "Control Host", WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 20, 20, width, height,
                 nullptr, nullptr);
    }
};

inline RECT Box(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}
