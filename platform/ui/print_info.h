// CPrintInfo: what print preview knows of the pages of a document: their
// range, the page shown first, whether one or two pages are shown, and the
// page description for the status line.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

class CPrintInfo {
public:
    CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    // 0xFFFF while the document has not said how many pages it has.
    UINT GetMaxPage() const { return m_nMaxPage; }

    // The description of the pages shown from nPage on: the first line of
    // m_strPageDesc for one page, the second for two; its first %u (or %d)
    // becomes nPage, the second nPage + nPages - 1, "%%" a percent sign.
    // Any other placeholder stays as written, so no description can make the
    // formatting read what it was not given.
    CString FormatPageDescription(UINT nPage, UINT nPages) const;

    UINT m_nCurPage;
    // Pages shown side by side: 1 or 2.
    UINT m_nNumPreviewPages;
    // One line for one page, one for two: "Page %u\nPages %u-%u\n".
    CString m_strPageDesc;
    BOOL m_bPreview;

private:
    UINT m_nMinPage;
    UINT m_nMaxPage;
};
