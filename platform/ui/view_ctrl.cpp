// CCtrlView: a view that is a system control.
#include "platform/ui/view.h"

IMPLEMENT_DYNAMIC(CCtrlView, CView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle | WS_CLIPSIBLINGS;
    return TRUE;
}

void CCtrlView::OnDraw(CDC*) {}

void CCtrlView::OnPaint()
{
    // The control paints itself.
    Default();
}
