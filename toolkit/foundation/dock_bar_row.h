// CWtkDockBarRow: one line of docked bars across a dock bar. It owns nothing
// but the order of its bars: it places them along its length, pushes
// neighbours aside while one is dragged, shrinks them when the dock bar gets
// shorter and lets them return to their remembered (virtual) places when room
// comes back.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/object.h"
#include "platform/framework/oblist.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"

class CWtkBaseControlBar;
class CWtkControlBar;
class CWtkDockBar;

class CWtkDockBarRow : public CObject {
    DECLARE_DYNAMIC(CWtkDockBarRow)
public:
    CWtkDockBarRow(CWtkDockBar* pDockBar = nullptr, int nOffset = 0, int nThickness = 0);

    virtual BOOL Create() { return TRUE; }
    virtual int GetVisibleCount() const;
    // The size of the visible bars laid side by side; a hidden row answers
    // 32767 along its length and nothing across.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Places the bar at lpRect's start (dock bar client coordinates) or after
    // the last bar, sizes it to its fixed layout and takes it in.
    virtual void AddControlBar(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect = nullptr,
                               BOOL bAddLast = FALSE);
    // Takes a dropped bar in where it was dropped.
    virtual void AddControlBarFromDrag(CWtkBaseControlBar* pBar, int nDockMethod);
    virtual void RemoveControlBar(CWtkBaseControlBar* pBar);
    // Lays the visible bars end to end from the row's start plus nStart.
    virtual void ArrangeToolBars(int nStart, int nGap);
    // Adds delta to the thickness; answers delta.
    virtual int Resize(int nDelta);
    // Moves the row and its bars across the dock bar by delta.
    virtual void Move(int nDelta);
    // Places the row's bars again around pBar (from the first when null):
    // ordered, not overlapping, inside the row, shrinking from the end when
    // they overflow.
    virtual void ArrangeBars(CWtkBaseControlBar* pBar);
    // Fits the bars to the dock bar's new length (rectNew: its client
    // rectangle); nResizeCode -1 when no real resize happened.
    virtual void RepositionBars(const CRect& rectNew, int nResizeCode = -1, BOOL bGrow = FALSE, int nAmount = 0);
    virtual BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    virtual void UpdateVisibleState(BOOL bDelay);
    virtual void ShowDockBarRow(BOOL bShow, BOOL bDelay);
    // FALSE when the old bar is not in the row.
    virtual BOOL ReplaceControlBar(CWtkBaseControlBar* pOldBar, CWtkBaseControlBar* pNewBar);
    // Shows or hides a bar of the row; FALSE when the bar is not in the row.
    virtual BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual BOOL IsVisible() const { return m_bVisible; }
    // The row's length less the lengths of its visible bars.
    virtual int GetAvailableLength(BOOL bUseVirtualRect = FALSE) const;
    virtual BOOL HasExclusiveBar() const;
    virtual void InsertControlBar(CWtkBaseControlBar* pBar);

    // Moves a bar of the row along it by the offset, pushing neighbours.
    void MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy);
    // Told by a bar of the row that its window changed size.
    virtual void OnResizeControlBar(CWtkBaseControlBar* pBar);
    // Moves every bar back to its virtual rectangle, then fits the row.
    void RestoreVirtualRects();
    // Records every bar's window rectangle as its virtual rectangle.
    void UpdateVirtualRects();

    void GetRowRect(CRect& rect) const;
    void GetRowClientRect(CRect& rect) const;

    CWtkDockBar* GetDockBar() const { return m_pDockBar; }
    int GetRowOffset() const { return m_nRowOffset; }
    int GetRowHeight() const { return m_nRowHeight; }
    BOOL IsHorizontal() const { return (m_dwRowAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    const CObList& GetControlBarList() const { return m_lstControlBars; }
    int GetBarCount() const { return static_cast<int>(m_lstControlBars.GetCount()); }
    void SetIgnoreVisibility(BOOL bIgnore) { m_nIgnoreVisibility = bIgnore ? 1 : 0; }
    void SetExtraThickness(int nExtra) { m_nExtraThickness = nExtra; }
    void SetPlacementMode(int nMode) { m_nPlacementMode = nMode; }
    // The thickness the visible bars need across the row.
    int GetMaxBarThickness() const;

    // The shared gap put between an appended bar and its predecessor.
    static int s_nInterBarGap;

protected:
    // The row's length along the dock bar.
    int RowLength() const;
    BOOL CountsAsVisible(CWtkBaseControlBar* pBar) const;
    std::vector<CWtkBaseControlBar*> VisibleBars() const;
    // A bar's window rectangle in the dock bar's client coordinates.
    CRect BarRect(CWtkBaseControlBar* pBar) const;
    int Start(const CRect& rect) const { return IsHorizontal() ? rect.left : rect.top; }
    int End(const CRect& rect) const { return IsHorizontal() ? rect.right : rect.bottom; }
    int Length(const CRect& rect) const { return IsHorizontal() ? rect.Width() : rect.Height(); }
    int Across(const CRect& rect) const { return IsHorizontal() ? rect.Height() : rect.Width(); }
    CRect Along(CRect rect, int nStart, int nLength) const;
    // Lays the given rectangles (one per visible bar, in order) out so that
    // they keep their order, do not overlap and stay inside the row; the
    // lengths that cannot fit are taken from the bars at the end, each
    // giving no more than it can.
    void FitInto(std::vector<CWtkBaseControlBar*>& bars, std::vector<CRect>& rects) const;
    void SwapInList(CWtkBaseControlBar* pFirst, CWtkBaseControlBar* pSecond);
    void ApplyRects(const std::vector<CWtkBaseControlBar*>& bars, const std::vector<CRect>& rects);

    int m_nIgnoreVisibility = 0;
    BOOL m_bVisible = TRUE;
    int m_nRowHeight = 0;
    int m_nRowOffset = 0;
    CObList m_lstControlBars;
    DWORD m_dwRowAlignment = CBRS_ALIGN_TOP;
    CWtkDockBar* m_pDockBar = nullptr;
    int m_nExtraThickness = 0;
    int m_nPlacementMode = 0;
    // Set while the row moves its own bars, so that their size notices do
    // not start another arrangement.
    BOOL m_bArranging = FALSE;
};
