// CPreviewView: the view that shows a document's pages as they would print,
// one or two at a time, and pages through them by the preview commands
// (AFX_ID_PREVIEW_NUMPAGE, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV). Each
// change names the pages shown (OnDisplayPageNumber: by default on the
// frame's message bar). No printer is involved: the pages are outlines.
#pragma once

#include <windows.h>

#include "platform/ui/view.h"

class CPrintInfo;

class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    // Shows from nPage on (kept inside the page range).
    void SetCurrentPage(UINT nPage, BOOL bClearRatios);
    // Names the pages shown; the base puts the page description on the
    // parent frame's message bar.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);

    // Owned by the view.
    CPrintInfo* m_pPreviewInfo;
    // Pages shown side by side: 1 (the start) or 2.
    UINT m_nPages;
    UINT m_nCurrentPage;

protected:
    void OnNumPageChange();
    void OnNextPage();
    void OnPrevPage();
    void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    void OnUpdateNextPage(CCmdUI* pCmdUI);
    void OnUpdatePrevPage(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    // The highest page that may come first with m_nPages shown.
    UINT LastFirstPage() const;
    void PagesChanged();
};
