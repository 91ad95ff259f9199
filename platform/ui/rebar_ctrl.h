// CReBarCtrl: the common rebar control ("ReBarWindow32"). REBARBANDINFOA is
// handed over with the build's own size (cbSize is set here).
#pragma once

#include "platform/ui/wnd.h"

class CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl();
    ~CReBarCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetBandCount() const { return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT)); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOA* prbbi) const;
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOA* prbbi);
    BOOL InsertBand(UINT uIndex, REBARBANDINFOA* prbbi);
    BOOL DeleteBand(UINT uBand) { return static_cast<BOOL>(SendMessage(RB_DELETEBAND, uBand)); }
    BOOL ShowBand(UINT uBand, BOOL fShow = TRUE) { return static_cast<BOOL>(SendMessage(RB_SHOWBAND, uBand, fShow)); }
    BOOL MoveBand(UINT uFrom, UINT uTo) { return static_cast<BOOL>(SendMessage(RB_MOVEBAND, uFrom, static_cast<LPARAM>(uTo))); }
    void MinimizeBand(UINT uBand) { SendMessage(RB_MINIMIZEBAND, uBand); }
    void MaximizeBand(UINT uBand, BOOL bIdeal = FALSE) { SendMessage(RB_MAXIMIZEBAND, uBand, bIdeal); }
    int IDToIndex(UINT uBandID) const { return static_cast<int>(SendMessage(RB_IDTOINDEX, uBandID)); }
    UINT GetBarHeight() const { return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT)); }
    UINT GetRowCount() const { return static_cast<UINT>(SendMessage(RB_GETROWCOUNT)); }
    UINT GetRowHeight(UINT uRow) const { return static_cast<UINT>(SendMessage(RB_GETROWHEIGHT, uRow)); }
    BOOL GetRect(UINT uBand, LPRECT prc) const
    {
        return static_cast<BOOL>(SendMessage(RB_GETRECT, uBand, reinterpret_cast<LPARAM>(prc)));
    }
    BOOL GetBarInfo(REBARINFO* prbi) const;
    BOOL SetBarInfo(REBARINFO* prbi);
    HWND SetOwner(CWnd* pWnd)
    {
        return reinterpret_cast<HWND>(SendMessage(RB_SETPARENT, reinterpret_cast<WPARAM>(pWnd ? pWnd->m_hWnd : nullptr)));
    }
};
