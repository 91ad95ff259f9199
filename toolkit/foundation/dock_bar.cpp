#include "toolkit/foundation/dock_bar.h"

#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar_row.h"

IMPLEMENT_DYNAMIC(CWtkDockBar, CWtkBaseControlBar)

BOOL CWtkDockBar::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
        return FALSE;
    CWtkDockBarRow* row = pBar->GetDockBarRow();
    return row ? row->ShowControlBar(pBar, bShow, bDelay) : FALSE;
}
