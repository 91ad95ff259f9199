#include "platform/ui/splitter_wnd.h"

#include "platform/ui/window_class.h"

IMPLEMENT_DYNCREATE(CSplitterWnd, CWnd)

namespace {

const int kMaxPanes = 16;

}  // namespace

CSplitterWnd::CSplitterWnd() : m_nRows(0), m_nCols(0) {}

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (!pParentWnd || !pParentWnd->m_hWnd || nRows < 1 || nRows > kMaxPanes || nCols < 1 || nCols > kMaxPanes)
        return FALSE;
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, windowClass, nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    return TRUE;
}
