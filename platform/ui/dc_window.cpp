// The device contexts of a window: painting, the client area, the whole
// window.
#include "platform/ui/dc.h"

#include "platform/ui/resource_exception.h"
#include "platform/ui/wnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    HDC dc = ::BeginPaint(m_hWnd, &m_ps);
    if (!dc)
        AfxThrowResourceException();
    if (!Attach(dc)) {
        ::EndPaint(m_hWnd, &m_ps);
        AfxThrowResourceException();
    }
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        AfxThrowResourceException();
    if (!Attach(dc)) {
        ::ReleaseDC(m_hWnd, dc);
        AfxThrowResourceException();
    }
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    HDC dc = ::GetWindowDC(m_hWnd);
    if (!dc)
        AfxThrowResourceException();
    if (!Attach(dc)) {
        ::ReleaseDC(m_hWnd, dc);
        AfxThrowResourceException();
    }
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
