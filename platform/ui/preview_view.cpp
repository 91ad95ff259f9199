#include "platform/ui/preview_view.h"

#include "platform/ui/brush.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/dc.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/print_info.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() : m_pPreviewInfo(new CPrintInfo), m_nPages(1), m_nCurrentPage(1) {}

CPreviewView::~CPreviewView()
{
    delete m_pPreviewInfo;
}

UINT CPreviewView::LastFirstPage() const
{
    const UINT minPage = m_pPreviewInfo->GetMinPage();
    const UINT maxPage = m_pPreviewInfo->GetMaxPage();
    if (maxPage < minPage)
        return minPage;
    // With two pages shown the last page is shown second.
    return m_nPages > 1 && maxPage > minPage ? maxPage - 1 : maxPage;
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL)
{
    const UINT minPage = m_pPreviewInfo->GetMinPage();
    if (nPage < minPage)
        nPage = minPage;
    if (nPage > LastFirstPage())
        nPage = LastFirstPage();
    m_nCurrentPage = nPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    PagesChanged();
}

void CPreviewView::PagesChanged()
{
    m_pPreviewInfo->m_nNumPreviewPages = m_nPages;
    OnDisplayPageNumber(m_nCurrentPage, m_nPages);
    if (m_hWnd)
        Invalidate(TRUE);
}

void CPreviewView::OnInitialUpdate()
{
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (!m_hWnd)
        return;
    const CString text = m_pPreviewInfo->FormatPageDescription(nPage, nPagesDisplayed);
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetMessageText(text);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnNextPage()
{
    if (m_nCurrentPage < LastFirstPage())
        SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_pPreviewInfo->GetMinPage())
        SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    // Two pages need a document of two pages at least.
    pCmdUI->Enable(m_nPages > 1 || m_pPreviewInfo->GetMaxPage() > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage < LastFirstPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    HDC dc = pDC->GetSafeHdc();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    // Letter-shaped pages (8.5 x 11) side by side, a margin around each.
    const int margin = 8;
    const int pages = static_cast<int>(m_nPages);
    const int slotWidth = (client.Width() - margin * (pages + 1)) / pages;
    const int slotHeight = client.Height() - 2 * margin;
    if (slotWidth <= 0 || slotHeight <= 0)
        return;
    int pageWidth = slotWidth;
    int pageHeight = MulDiv(pageWidth, 110, 85);
    if (pageHeight > slotHeight) {
        pageHeight = slotHeight;
        pageWidth = MulDiv(pageHeight, 85, 110);
    }
    for (int i = 0; i < pages; ++i) {
        const int left = margin + i * (slotWidth + margin) + (slotWidth - pageWidth) / 2;
        const int top = margin + (slotHeight - pageHeight) / 2;
        CRect page(left, top, left + pageWidth, top + pageHeight);
        ::FillRect(dc, &page, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FrameRect(dc, &page, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
}
