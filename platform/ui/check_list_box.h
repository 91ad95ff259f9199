// CCheckListBox: a list box with a check box before every item. It must be
// owner-drawn with strings (LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE and
// LBS_HASSTRINGS; Create adds them). Clicking an item's check box, or Space
// on the focused item, changes its check (in the automatic styles) and tells
// the parent with WM_COMMAND and CLBN_CHKCHANGE.
#pragma once

#include <vector>

#include "platform/ui/list_box.h"

// The check-box notification of a check list box (WM_COMMAND code).
#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    ~CCheckListBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BS_CHECKBOX, BS_AUTOCHECKBOX (default), BS_AUTO3STATE or BS_3STATE.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_checkStyle; }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    // A disabled item's check box is drawn grey and does not change.
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    // The item under a client point; bInCheck is set when the point lies on
    // its check box. -1 when no item is there.
    int CheckFromPoint(POINT point, BOOL& bInCheck) const;
    // The rectangle of an item's check box in client coordinates.
    void GetCheckRect(int nIndex, LPRECT lpRect) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    struct ItemState {
        int check = 0;
        BOOL enabled = TRUE;
    };

    // The check that a click gives an item.
    int NextCheck(int current) const;
    // Changes an item by the user's hand and tells the parent.
    void Toggle(int nIndex);
    int CheckBoxWidth() const;
    int DefaultItemHeight() const;
    void InvalidateItem(int nIndex);

    UINT m_checkStyle;
    std::vector<ItemState> m_items;
};
