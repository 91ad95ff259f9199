// CListView: a view that is a list-view control. GetListCtrl gives the
// control's calls; owner-drawn items come back to the view (DrawItem).
#pragma once

#include "platform/ui/list_ctrl.h"
#include "platform/ui/view.h"

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    // The control's calls on the view's own window.
    CListCtrl& GetListCtrl() const;

    // An owner-drawn item (LVS_OWNERDRAWFIXED), reflected from the parent.
    // The base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Borrows the view's handle without owning it: it is not the window's
    // permanent object and lets go before the window is destroyed.
    mutable CListCtrl m_control;
};
