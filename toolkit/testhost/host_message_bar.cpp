#include "host_message_bar.h"

#include "platform/ui/dc.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/framework_ids.h"

namespace {

// Room for one line of the dialog font with a small margin.
const int kBarHeight = 22;

}  // namespace

BOOL HostMessageBar::CreateIn(CFrameWnd* frame)
{
    // The bar is a member of its frame: it must not delete itself with its
    // window.
    m_bAutoDelete = FALSE;
    if (!CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 0, 0), frame,
                  AFX_IDW_STATUS_BAR))
        return FALSE;
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    return TRUE;
}

CSize HostMessageBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(32767, kBarHeight) : CSize(kBarHeight, 32767);
}

CString HostMessageBar::Text() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void HostMessageBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(6, 2);
    const int saved = pDC->SaveDC();
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const CString text = Text();
    ::DrawTextA(pDC->GetSafeHdc(), text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    pDC->RestoreDC(saved);
}
