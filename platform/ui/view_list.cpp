#include "platform/ui/view_list.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CListView, CCtrlView)

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
    ON_WM_DESTROY()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CListView::CListView() : CCtrlView(WC_LISTVIEWA, LVS_SHAREIMAGELISTS) {}

CListView::~CListView()
{
    m_control.m_hWnd = nullptr;
}

CListCtrl& CListView::GetListCtrl() const
{
    m_control.m_hWnd = m_hWnd;
    return m_control;
}

void CListView::DrawItem(LPDRAWITEMSTRUCT) {}

void CListView::OnDestroy()
{
    m_control.m_hWnd = nullptr;
    CCtrlView::OnDestroy();
}
