// CControlBar: bar list membership, WM_SIZEPARENT layout, idle updates and
// the painting of borders and gripper.
#include "platform/ui/control_bar.h"

#include "platform/ui/dc.h"
#include "platform/ui/dock_bar.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/window_class.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnForwardToOwner)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnForwardToOwner)
END_MESSAGE_MAP()

namespace {

// The gripper's share of a bar's length, and the borders' thickness.
const int kGripperSize = 8;
const int kBorderSize = 2;

enum PendingShow { kNone = 0, kShow = 1, kHide = 2 };

}  // namespace

CControlBar::CControlBar()
    : m_dwStyle(0),
      m_pDockBar(nullptr),
      m_pDockSite(nullptr),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(1),
      m_cyBottomBorder(1),
      m_bAutoDelete(FALSE),
      m_pendingShow(kNone)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    if (m_hWnd)
        DestroyWindow();
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // The CBRS_ bits are the bar's own; the system sees only the window bits.
    m_dwStyle |= cs.style & CBRS_ALL;
    cs.style &= ~CBRS_ALL;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_pDockSite)
        m_pDockSite = GetParentFrame();
    if (m_pDockSite)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle;
}

BOOL CControlBar::IsFloating() const
{
    if (m_pDockBar)
        return m_pDockBar->m_bFloating;
    if (!m_hWnd || !m_pDockSite)
        return FALSE;
    return ::GetParent(m_hWnd) != m_pDockSite->m_hWnd;
}

BOOL CControlBar::IsVisible() const
{
    if (m_pendingShow == kShow)
        return TRUE;
    if (m_pendingShow == kHide)
        return FALSE;
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

void CControlBar::DelayShow(BOOL bShow)
{
    const bool visible = m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
    m_pendingShow = (bShow ? visible : !visible) ? kNone : (bShow ? kShow : kHide);
}

void CControlBar::RecalcDelayShow()
{
    if (m_pendingShow == kNone || !m_hWnd)
        return;
    const bool show = m_pendingShow == kShow;
    m_pendingShow = kNone;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    if (bStretch) {
        // Along the whole side; the thickness the borders need.
        CRect inside(0, 0, 0, 0);
        CalcInsideRect(inside, bHorz);
        if (bHorz) {
            size.cx = 32767;
            size.cy = -inside.Height();
        } else {
            size.cx = -inside.Width();
            size.cy = 32767;
        }
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    const BOOL horizontal = (nMode & LM_HORZ) != 0;
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, horizontal);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible())
        return 0;
    CFrameWnd* target = GetOwner() ? GetOwner()->AsFrameWnd() : nullptr;
    if (!target)
        target = GetParentFrame();
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM)
{
    const UINT id = static_cast<UINT>(GetDlgCtrlID()) & 0xFFFF;
    return id ? HID_BASE_CONTROL + id : 0;
}

LRESULT CControlBar::OnForwardToOwner(WPARAM wParam, LPARAM lParam)
{
    CWnd* owner = GetOwner();
    if (!owner || !owner->m_hWnd)
        return 0;
    const MSG* current = GetCurrentMessage();
    return owner->SendMessage(current->message, wParam, lParam);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout)
        return 0;
    const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (!(GetStyle() & WS_VISIBLE) || align == 0)
        return 0;
    // Left and right bars are vertical; every other bar is horizontal.
    const BOOL horizontal = (align & CBRS_ORIENT_HORZ) != 0;
    CRect available(layout->rect);
    CSize size = CalcFixedLayout(layout->bStretch, horizontal);
    size.cx = size.cx < available.Width() ? size.cx : available.Width();
    size.cy = size.cy < available.Height() ? size.cy : available.Height();
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;

    CRect bar(available);
    if (align & CBRS_ALIGN_TOP) {
        bar.bottom = bar.top + size.cy;
        layout->rect.top += size.cy;
    } else if (align & CBRS_ALIGN_BOTTOM) {
        bar.top = bar.bottom - size.cy;
        layout->rect.bottom -= size.cy;
    } else if (align & CBRS_ALIGN_LEFT) {
        bar.right = bar.left + size.cx;
        layout->rect.left += size.cx;
    } else {
        bar.left = bar.right - size.cx;
        layout->rect.right -= size.cx;
    }
    if (horizontal)
        layout->sizeTotal.cy += size.cy;
    else
        layout->sizeTotal.cx += size.cx;
    if (!layout->bStretch) {
        // Only as long as the bar itself wants.
        if (horizontal)
            bar.right = bar.left + size.cx;
        else
            bar.bottom = bar.top + size.cy;
    }
    if (layout->hDWP) {
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, bar.left, bar.top, bar.Width(),
                                        bar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT)
        rect.left += kBorderSize;
    if (style & CBRS_BORDER_TOP)
        rect.top += kBorderSize;
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= kBorderSize;
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= kBorderSize;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.right -= m_cxRightBorder;
        rect.top += m_cyTopBorder;
        rect.bottom -= m_cyBottomBorder;
        if (style & CBRS_GRIPPER)
            rect.left += kGripperSize;
    } else {
        rect.left += m_cyTopBorder;
        rect.right -= m_cyBottomBorder;
        rect.top += m_cxLeftBorder;
        rect.bottom -= m_cxRightBorder;
        if (style & CBRS_GRIPPER)
            rect.top += kGripperSize;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD style = m_dwStyle;
    if (!(style & CBRS_BORDER_ANY))
        return;
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (style & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), shadow);
        pDC->FillSolidRect(CRect(rect.left + 1, rect.top, rect.left + 2, rect.bottom), light);
        rect.left += kBorderSize;
    }
    if (style & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), shadow);
        pDC->FillSolidRect(CRect(rect.left, rect.top + 1, rect.right, rect.top + 2), light);
        rect.top += kBorderSize;
    }
    if (style & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(CRect(rect.right - 2, rect.top, rect.right - 1, rect.bottom), shadow);
        pDC->FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), light);
        rect.right -= kBorderSize;
    }
    if (style & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(CRect(rect.left, rect.bottom - 2, rect.right, rect.bottom - 1), shadow);
        pDC->FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), light);
        rect.bottom -= kBorderSize;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!(m_dwStyle & CBRS_GRIPPER) || (m_dwStyle & CBRS_FLOATING))
        return;
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    // Two raised lines across the bar at its leading edge.
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        const int x = rect.left + 2;
        pDC->Draw3dRect(x, rect.top + m_cyTopBorder, 3, rect.Height() - m_cyTopBorder - m_cyBottomBorder,
                        light, shadow);
    } else {
        const int y = rect.top + 2;
        pDC->Draw3dRect(rect.left + m_cyTopBorder, y, rect.Width() - m_cyTopBorder - m_cyBottomBorder, 3,
                        light, shadow);
    }
}

BOOL CControlBar::OnEraseBkgnd(CDC*)
{
    // WM_PAINT fills the whole bar.
    return TRUE;
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    PaintAll(&dc);
}

LRESULT CControlBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    // PrintWindow and WM_PRINT ask for the bar's picture in their own DC.
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (dc)
        PaintAll(dc);
    return 0;
}

void CControlBar::PaintAll(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
    DoPaint(pDC);
}

void CControlBar::DoPaint(CDC*) {}
