// CControlBar: the base of bars that a frame lays out along its sides
// (toolbars, status bars, dialog bars). A bar joins its frame's bar list at
// creation, takes its side of the frame's client area when the frame sends
// WM_SIZEPARENT (the side its CBRS_ALIGN_ style names, with the size
// CalcFixedLayout answers), updates its commands' states at idle time through
// OnUpdateCmdUI, and paints its borders and gripper.
#pragma once

#include <windows.h>

#include "platform/ui/wnd.h"

class CDockBar;
class CFrameWnd;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // The size the bar wants: along the whole side when bStretch; bHorz for
    // a bar at the top or bottom.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a length (nLength) and the LM_ flags; the base answers
    // CalcFixedLayout for the orientation the flags name.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Updates the bar's items from pTarget's command handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler);

    // CBRS_ bits; the window style keeps only what the system knows.
    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    // The CBRS_ALIGN_ sides (and CBRS_FLOAT_MULTI) the bar may dock at.
    void EnableDocking(DWORD dwDockStyle);
    // Floating: docked in a floating dock bar, or (undocked) parented away
    // from its dock site.
    BOOL IsFloating() const;
    BOOL IsVisible() const;
    // The frame that hosts the bar (its dock site, else its parent frame).
    CFrameWnd* GetDockingFrame() const;
    // Shows or hides the bar at the frame's next layout.
    void DelayShow(BOOL bShow);
    // Applies what DelayShow asked for (the frame's layout calls it).
    void RecalcDelayShow();

    // Paints the CBRS_BORDER_ edges into pDC and shrinks rect to the inside.
    void DrawBorders(CDC* pDC, CRect& rect);
    // Paints the CBRS_GRIPPER handle at the leading edge of rect.
    void DrawGripper(CDC* pDC, const CRect& rect);
    // The borders' and gripper's share of the bar's size.
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    DWORD m_dwStyle;
    DWORD m_dwDockStyle = 0;
    CDockBar* m_pDockBar;
    CFrameWnd* m_pDockSite;
    // Space kept inside the borders (left, top, right, bottom).
    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    BOOL m_bAutoDelete;

protected:
    void PostNcDestroy() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // WM_SETMESSAGESTRING and WM_POPMESSAGESTRING go on to the owner.
    LRESULT OnForwardToOwner(WPARAM wParam, LPARAM lParam);
    // Paints the bar's inside after the borders.
    virtual void DoPaint(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // Background, borders, gripper and DoPaint into one DC.
    void PaintAll(CDC* pDC);
    // The visibility DelayShow asked for, applied at the next layout:
    // 0 none, 1 show, 2 hide.
    int m_pendingShow;
};
