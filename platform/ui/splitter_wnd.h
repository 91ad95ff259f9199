// CSplitterWnd: a window that divides a frame's pane into rows and columns
// of panes. Frames that place their first pane tell a splitter from a view
// by its kind (it clips only its siblings, never its panes).
#pragma once

#include <windows.h>

#include "platform/ui/wnd.h"

class CSplitterWnd : public CWnd {
    DECLARE_DYNCREATE(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // A splitter of nRows x nCols panes (each 1-16) as the child nID of
    // pParentWnd; FALSE for a count out of range or no parent.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }

protected:
    int m_nRows;
    int m_nCols;
};
