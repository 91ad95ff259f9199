// CDockBar: the strip along one side of a frame (ids AFX_IDW_DOCKBAR_TOP,
// _LEFT, _RIGHT, _BOTTOM) that holds docked control bars in rows, or the
// single strip inside a floating bar's mini frame (AFX_IDW_DOCKBAR_FLOAT).
// A row runs along the side; rows stack away from it. The strip is as thick
// as its rows of visible bars and takes its side of the frame at each
// layout, placing its bars as it goes.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/control_bar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle names the side (CBRS_ALIGN_*).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Takes pBar from wherever it is docked. With lpRect (screen
    // coordinates) the bar joins the row that the rectangle's leading edge
    // falls in, at the rectangle's offset along it, or a new row before or
    // after the others; without, it starts a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // FALSE when the bar is not docked here; an emptied row goes.
    BOOL RemoveControlBar(CControlBar* pBar);
    // Bars docked here, visible or not.
    int GetDockedCount() const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    BOOL m_bFloating;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Slot {
        CControlBar* bar;
        // Where the bar wants to start along its row.
        int offset;
    };
    using Row = std::vector<Slot>;

    BOOL IsHorz() const;
    // The size a docked bar asks for in this strip.
    CSize BarSize(CControlBar* pBar) const;
    // Places the bars (when bMove) and answers the strip's length and
    // thickness; rowStarts receives where each row begins across the strip.
    CSize Arrange(BOOL bMove, std::vector<int>* rowStarts = nullptr);

    std::vector<Row> m_rows;
};
