#include "toolkit/foundation/global_utils.h"

CWtkGlobalUtils g_wtkGlobalUtils;

CWtkDockManager* CWtkGlobalUtils::GetDockManager(CWnd*)
{
    return nullptr;
}

BOOL CWtkGlobalUtils::CheckAlignment(CPoint, CWtkBaseControlBar*, int, BOOL, DWORD&, DWORD, LPCRECT) const
{
    return FALSE;
}

void CWtkGlobalUtils::FlipRect(CRect&, int) const {}

void CWtkGlobalUtils::ReparentWindows(const CObList&, CWnd*, BOOL) const {}

BOOL CWtkGlobalUtils::GetDockingInfo(CWtkDockManager*, CWnd*, CPoint, CRect& rectDrop, BOOL& bDockToBar,
                                     CWtkBaseControlBar*& pTargetBar)
{
    rectDrop.SetRectEmpty();
    bDockToBar = FALSE;
    pTargetBar = nullptr;
    return FALSE;
}

BOOL CWtkGlobalUtils::CanBeDockedToFloatingBar(CWnd*) const
{
    return FALSE;
}

BOOL CWtkGlobalUtils::IsCtrlKeyDown() const
{
    return ::GetKeyState(VK_CONTROL) < 0;
}
