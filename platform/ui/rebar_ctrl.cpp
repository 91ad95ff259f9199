#include "platform/ui/rebar_ctrl.h"

#include "platform/ui/common_controls.h"

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)

CReBarCtrl::CReBarCtrl() = default;

CReBarCtrl::~CReBarCtrl() = default;

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    EnsureCommonControls(ICC_COOL_CLASSES);
    return CWnd::Create(REBARCLASSNAMEA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBarCtrl::GetBandInfo(UINT uBand, REBARBANDINFOA* prbbi) const
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return static_cast<BOOL>(SendMessage(RB_GETBANDINFOA, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::SetBandInfo(UINT uBand, REBARBANDINFOA* prbbi)
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return static_cast<BOOL>(SendMessage(RB_SETBANDINFOA, uBand, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::InsertBand(UINT uIndex, REBARBANDINFOA* prbbi)
{
    prbbi->cbSize = sizeof(REBARBANDINFOA);
    return static_cast<BOOL>(SendMessage(RB_INSERTBANDA, uIndex, reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBarCtrl::GetBarInfo(REBARINFO* prbi) const
{
    prbi->cbSize = sizeof(REBARINFO);
    return static_cast<BOOL>(SendMessage(RB_GETBARINFO, 0, reinterpret_cast<LPARAM>(prbi)));
}

BOOL CReBarCtrl::SetBarInfo(REBARINFO* prbi)
{
    prbi->cbSize = sizeof(REBARINFO);
    return static_cast<BOOL>(SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(prbi)));
}
