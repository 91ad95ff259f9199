#include "platform/ui/dc.h"

#include "platform/ui/wnd.h"

CPaintDC::CPaintDC(CWnd* window) : m_hDC(nullptr), m_ps(), m_hWnd(window->GetSafeHwnd())
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}
