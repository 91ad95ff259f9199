#include "host_view.h"

#include "platform/ui/dc.h"

IMPLEMENT_DYNCREATE(HostView, CView)

void HostView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    const int saved = pDC->SaveDC();
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(pDC->GetSafeHdc(), "Toolkit test host", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->RestoreDC(saved);
}
