// The in-place frames and the container frame: their layout steps.
#include "platform/ui/ole_frame_wnd.h"

#include <vector>

#include "platform/ui/control_bar.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNAMIC(COleCntrFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COleIPFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// Clears an in-layout flag however the layout ends.
class InLayout {
public:
    explicit InLayout(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~InLayout() { m_flag = FALSE; }
    InLayout(const InLayout&) = delete;
    InLayout& operator=(const InLayout&) = delete;

private:
    BOOL& m_flag;
};

COleCntrFrameWnd* StandFor(HWND hWnd, COleIPFrameWnd* inPlaceFrame)
{
    if (!hWnd)
        return nullptr;
    COleCntrFrameWnd* frame = new COleCntrFrameWnd(inPlaceFrame);
    if (!frame->Attach(hWnd)) {
        delete frame;
        return nullptr;
    }
    return frame;
}

}  // namespace

// ---- COleIPFrameWnd ------------------------------------------------------------------

COleIPFrameWnd::COleIPFrameWnd()
    : m_pMainFrame(nullptr), m_pDocFrame(nullptr), m_rectPos(0, 0, 0, 0), m_rectClip(0, 0, 0, 0)
{
}

COleIPFrameWnd::~COleIPFrameWnd()
{
    ReleaseContainerFrames();
}

void COleIPFrameWnd::ReleaseContainerFrames()
{
    delete m_pDocFrame;
    m_pDocFrame = nullptr;
    delete m_pMainFrame;
    m_pMainFrame = nullptr;
}

BOOL COleIPFrameWnd::SetContainerFrames(HWND hWndFrame, HWND hWndDoc)
{
    ReleaseContainerFrames();
    m_pMainFrame = StandFor(hWndFrame, this);
    if (hWndDoc != hWndFrame)
        m_pDocFrame = StandFor(hWndDoc, this);
    if (!OnCreateControlBars(m_pMainFrame, m_pDocFrame)) {
        ReleaseContainerFrames();
        return FALSE;
    }
    RecalcLayout();
    return TRUE;
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    return TRUE;
}

void COleIPFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    if (m_pMainFrame)
        m_pMainFrame->RecalcLayout(bNotify);
    if (m_pDocFrame)
        m_pDocFrame->RecalcLayout(bNotify);
    CFrameWnd::RecalcLayout(bNotify);
}

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect)
{
    if (!m_hWnd || !lpPosRect || !lpClipRect)
        return;
    m_rectPos = *lpPosRect;
    m_rectClip = *lpClipRect;
    // What this frame's own bars take around a pane of the item's size.
    CRect client(0, 0, m_rectPos.Width(), m_rectPos.Height());
    CRect rest;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rest, &client);
    CRect window = m_rectPos;
    window.left -= rest.left - client.left;
    window.top -= rest.top - client.top;
    window.right += client.right - rest.right;
    window.bottom += client.bottom - rest.bottom;
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Only the part inside the clip rectangle shows.
    CRect visible;
    if (!visible.IntersectRect(&window, &m_rectClip))
        visible.SetRectEmpty();
    if (visible == window) {
        ::SetWindowRgn(m_hWnd, nullptr, TRUE);
    } else {
        visible.OffsetRect(-window.left, -window.top);
        HRGN region = ::CreateRectRgnIndirect(&visible);
        // The window owns the region from here on.
        if (region && !::SetWindowRgn(m_hWnd, region, TRUE))
            ::DeleteObject(region);
    }
    RecalcLayout();
}

void COleIPFrameWnd::OnDestroy()
{
    // The bars put into the container's frames end with this frame.
    ReleaseContainerFrames();
    CFrameWnd::OnDestroy();
}

// ---- COleDocIPFrameWnd ------------------------------------------------------------------

COleDocIPFrameWnd::COleDocIPFrameWnd() = default;

COleDocIPFrameWnd::~COleDocIPFrameWnd() = default;

// ---- COleCntrFrameWnd -------------------------------------------------------------------

COleCntrFrameWnd::COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame)
    : m_pInPlaceFrame(pInPlaceFrame), m_rectBorderSpace(0, 0, 0, 0)
{
}

COleCntrFrameWnd::~COleCntrFrameWnd()
{
    std::vector<HWND> bars;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos) {
        CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd)
            bars.push_back(bar->m_hWnd);
    }
    for (HWND bar : bars) {
        if (::IsWindow(bar))
            ::DestroyWindow(bar);
    }
    // The container's window stays.
    Detach();
}

void COleCntrFrameWnd::PostNcDestroy() {}

void COleCntrFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    InLayout guard(m_bInRecalcLayout);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = TRUE;
    CRect client;
    GetClientRect(&client);
    layout.rect = client;
    layout.hDWP = ::BeginDeferWindowPos(4);
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos) {
        CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!bar->m_hWnd || ::GetParent(bar->m_hWnd) != m_hWnd)
            continue;
        bar->RecalcDelayShow();
        bar->SendMessage(WM_SIZEPARENT, TRUE, reinterpret_cast<LPARAM>(&layout));
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
    m_rectBorderSpace = CRect(layout.rect.left - client.left, layout.rect.top - client.top,
                              client.right - layout.rect.right, client.bottom - layout.rect.bottom);
}
