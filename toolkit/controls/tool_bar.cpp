#include "toolkit/controls/tool_bar.h"

#include "toolkit/foundation/global_data.h"

IMPLEMENT_DYNAMIC(CWtkToolBar, CWtkBaseToolBar)

const UINT WTKMSG_TOOLBAR_POPUPMENU = ::RegisterWindowMessageA("WTKTOOLBAR_POPUPMENU");

BOOL CWtkToolBar::s_bCustomizeMode = FALSE;
CSize CWtkToolBar::s_sizeImage(16, 15);
CSize CWtkToolBar::s_sizeMenuImage(-1, -1);
COLORREF CWtkToolBar::s_clrHotText = 0xFFFFFFFF;

CWtkToolBar::CWtkToolBar()
{
    AllToolbars().AddTail(this);
}

CWtkToolBar::~CWtkToolBar()
{
    CObList& list = AllToolbars();
    if (POSITION pos = list.Find(this))
        list.RemoveAt(pos);
}

CObList& CWtkToolBar::AllToolbars()
{
    static CObList list;
    return list;
}

CSize CWtkToolBar::GetMenuImageSize()
{
    return s_sizeMenuImage.cx == -1 ? s_sizeImage : s_sizeMenuImage;
}

COLORREF CWtkToolBar::GetHotTextColor()
{
    return s_clrHotText == 0xFFFFFFFF ? WtkGlobalData().m_clrBtnText : s_clrHotText;
}

void CWtkToolBar::CleanUpStatics()
{
}
