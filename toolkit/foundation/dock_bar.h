// CWtkDockBar: the bar along one side of a frame that holds docked bars in
// rows.
#pragma once

#include "platform/framework/oblist.h"
#include "toolkit/foundation/base_control_bar.h"

class CWtkDockBar : public CWtkBaseControlBar {
    DECLARE_DYNAMIC(CWtkDockBar)
public:
    using CWtkBaseControlBar::ShowControlBar;
    // Shows or hides a docked control bar through the row that holds it;
    // FALSE when no row holds it or it is no control bar.
    virtual BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay);

    // Whether the bar may join this dock bar.
    virtual BOOL CanAcceptBar(const CWtkBaseControlBar* pBar) const;
    // Takes the bar in (dock method 1 by the mouse, 2 into its recent row, 4
    // by its recent row index or rectangle); lpRect in screen coordinates.
    // For now the bar joins the list, its window goes to lpRect and a
    // control bar keeps that place as its full rectangle.
    virtual BOOL DockControlBar(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect = nullptr);
    // Lets the bar go; nothing when it is not here.
    virtual void RemoveControlBar(CWtkBaseControlBar* pBar);
    // One step of a drag of a docked bar; TRUE when the bar floated.
    virtual BOOL MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy);
    // The row's 0-based place in the dock bar, 0 when it is not here.
    virtual int GetRowIndex(const CWtkDockBarRow* pRow) const;
    // The docked bars, in docking order.
    const CObList& GetControlBarList() const { return m_lstControlBars; }

protected:
    CObList m_lstControlBars;
    CObList m_lstDockBarRows;
};
