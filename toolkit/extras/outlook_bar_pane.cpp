#include "toolkit/extras/outlook_bar_pane.h"

IMPLEMENT_DYNAMIC(CWtkOutlookBarPane, CWtkToolBar)

void CWtkOutlookBarPane::DrawBackground(CDC*, CRect)
{
}
