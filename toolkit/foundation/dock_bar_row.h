// CWtkDockBarRow: one line of docked bars across a dock bar.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"

class CWtkBaseControlBar;
class CWtkDockBar;

class CWtkDockBarRow : public CObject {
    DECLARE_DYNAMIC(CWtkDockBarRow)
public:
    explicit CWtkDockBarRow(CWtkDockBar* pDockBar = nullptr) : m_pDockBar(pDockBar) {}

    // Shows or hides a bar of the row; FALSE when the bar has no window.
    virtual BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Places the row's bars again around pBar (from the first when null).
    virtual void ArrangeBars(CWtkBaseControlBar* pBar);
    // Told by a bar of the row that its window changed size.
    virtual void OnResizeControlBar(CWtkBaseControlBar* pBar);

    CWtkDockBar* GetDockBar() const { return m_pDockBar; }

private:
    CWtkDockBar* m_pDockBar;
};
