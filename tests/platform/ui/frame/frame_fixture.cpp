#include "frame_fixture.h"

#include "platform/ui/dc.h"

void MessageBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(4, 2);
    pDC->SetBkMode(TRANSPARENT);
    CString text = Text();
    ::DrawTextA(pDC->GetSafeHdc(), text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

FrameHolder::~FrameHolder()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    DropQuitMessage();
}

void DropQuitMessage()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
