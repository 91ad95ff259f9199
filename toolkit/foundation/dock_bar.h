// CWtkDockBar: the bar along one side of a frame that holds docked bars in
// rows. It owns its rows, keeps them stacked across its depth and grows or
// shrinks its own window with them.
#pragma once

#include "platform/framework/oblist.h"
#include "toolkit/foundation/base_control_bar.h"

class CWtkDockBar : public CWtkBaseControlBar {
    DECLARE_DYNCREATE(CWtkDockBar)
public:
    CWtkDockBar() = default;
    ~CWtkDockBar() override;

    using CWtkBaseControlBar::CreateEx;
    // A child of the frame along the side of dwStyle's alignment, with the
    // toolkit's own dock bar window class; it starts with no depth. The
    // rectangle is not used: the frame's client area decides the place.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, DWORD dwControlBarStyle = 0,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          DWORD dwControlBarStyle = 0, CCreateContext* pContext = nullptr);

    // TRUE while one of its control bars is being dragged.
    virtual BOOL IsBarDragged() const;
    // A new row object (not yet in the list).
    virtual CWtkDockBarRow* CreateRow(CWtkDockBar* pDockBar, int nOffset, int nThickness);

    // Whether the bar may join this dock bar.
    virtual BOOL CanAcceptBar(const CWtkBaseControlBar* pBar) const;
    // Takes the bar in (dock method 1 by the mouse, 2 into its recent row, 4
    // by its recent row index or rectangle); lpRect in screen coordinates.
    virtual BOOL DockControlBar(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect = nullptr);
    // Puts the bar into the row of the reference bar, just before it; FALSE
    // when the reference bar is in no row.
    virtual BOOL DockControlBarNextTo(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTargetBar);
    // Lets the bar go; nothing when it is not here.
    virtual void RemoveControlBar(CWtkBaseControlBar* pBar);
    // One step of a drag of a docked bar; TRUE when the bar floated.
    virtual BOOL MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy);
    virtual void OnInsertRow(POSITION pos);
    virtual void OnRemoveRow(POSITION pos, int nThickness);
    // Changes the row's thickness and moves the rows after it; answers the
    // change.
    virtual int ResizeRowBy(CWtkDockBarRow* pRow, int nDelta);
    virtual void ShowRowAt(POSITION pos, BOOL bShow);
    // The frame's docking area changed: the rows fit their bars to the new
    // length.
    virtual void OnSizeParent(const CRect& rectNew);
    // Every row puts its bars back at their remembered places as far as
    // they fit.
    virtual void RestoreVirtualRects();
    using CWtkBaseControlBar::ShowControlBar;
    // Shows or hides a docked control bar through the row that holds it;
    // FALSE when no row holds it or it is no control bar.
    virtual BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The first docked bar whose window holds the screen point.
    virtual CWtkBaseControlBar* ControlBarFromPoint(CPoint pt) const;
    // Asks the frame to lay its docked bars out again.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    // The frame's standard id of a dock bar on this side.
    virtual UINT GetDockBarID() const;
    virtual void SetWindowPosByRect(const CWnd* pWndInsertAfter, const CRect& rect, UINT nFlags);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- Rows ----
    // A new row of the thickness before pos (appended when null); null when
    // the row cannot be made.
    CWtkDockBarRow* AddRow(POSITION pos, int nThickness);
    void RemoveRow(CWtkDockBarRow* pRow);
    // FALSE when a row with bars would get thinner than they need.
    BOOL ResizeRow(CWtkDockBarRow* pRow, int nNewThickness, BOOL bAdjustLayout = TRUE);
    void ShowDockBarRow(CWtkDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout);
    // Exchanges two rows that follow each other (visible rows counted).
    void SwapRows(CWtkDockBarRow* pFirst, CWtkDockBarRow* pSecond);
    // The first visible row holding the screen point; bOuterEdge is set when
    // none does and the point lies before the dock bar.
    CWtkDockBarRow* RowFromPoint(CPoint pt, BOOL& bOuterEdge) const;
    CWtkDockBarRow* RowFromClientPoint(const CRect& rectClient) const;
    CWtkDockBarRow* FindRowByBar(const CWtkBaseControlBar* pBar) const;
    // The row's 0-based place in the dock bar, 0 when it is not here.
    virtual int GetRowIndex(const CWtkDockBarRow* pRow) const;
    // A docked bar with the control id.
    CWtkBaseControlBar* FindBarByID(UINT nID) const;
    // The sum of the visible rows' thicknesses.
    int GetDockBarDepth() const;

    // The docked bars, in docking order.
    const CObList& GetControlBarList() const { return m_lstControlBars; }
    const CObList& GetDockBarRowList() const { return m_lstDockBarRows; }
    BOOL IsHorizontalDockBar() const { return (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0; }

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Moves the inner edge of the window by delta (positive: deeper).
    void GrowBy(int nDelta, BOOL bAdjustLayout);
    POSITION RowPosition(const CWtkDockBarRow* pRow) const;
    // The row to dock a bar of the given thickness into, made when needed.
    CWtkDockBarRow* TargetRow(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect, int nThickness);
    CWtkDockBarRow* RowAtIndex(int nIndex) const;
    // The thickness of a bar across this dock bar.
    int ThicknessOf(CWtkBaseControlBar* pBar) const;

    CObList m_lstControlBars;
    CObList m_lstDockBarRows;
};
