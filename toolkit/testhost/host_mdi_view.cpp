#include "host_mdi_view.h"

#include "platform/ui/dc.h"
#include "platform/ui/document.h"
#include "wtkhost_resource.h"

IMPLEMENT_DYNCREATE(HostMdiView, CView)

BEGIN_MESSAGE_MAP(HostMdiView, CView)
    ON_COMMAND(ID_WTKHOST_PING, OnPing)
END_MESSAGE_MAP()

void HostMdiView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    const CString title = GetDocument() ? GetDocument()->GetTitle() : CString();
    const int saved = pDC->SaveDC();
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(pDC->GetSafeHdc(), title, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->RestoreDC(saved);
}

void HostMdiView::OnPing()
{
    ++m_pings;
}
