#include "toolkit/foundation/dock_bar_row.h"

#include "toolkit/foundation/base_control_bar.h"

IMPLEMENT_DYNAMIC(CWtkDockBarRow, CObject)

BOOL CWtkDockBarRow::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL)
{
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    return TRUE;
}

void CWtkDockBarRow::ArrangeBars(CWtkBaseControlBar*) {}

void CWtkDockBarRow::OnResizeControlBar(CWtkBaseControlBar*) {}
