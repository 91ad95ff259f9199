// CWtkToolbarButton: the item of every toolkit bar.
#pragma once

#include "platform/framework/object.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"

class CWtkToolbarButton : public CObject {
    DECLARE_DYNCREATE(CWtkToolbarButton)
public:
    CWtkToolbarButton() = default;
    CWtkToolbarButton(UINT uiID, UINT nStyle) : m_nID(uiID), m_nStyle(nStyle) {}

    // FALSE for the commands no user may move: the recent-file and window
    // lists, the system commands and the ids from 0xFF00 on.
    virtual BOOL CanBeCustomized() const;

    // While TRUE, giving a button an image index records the command's image
    // in the command manager.
    static BOOL s_bRecordImages;

    UINT m_nID = 0;
    UINT m_nStyle = 0;
    CRect m_rect;
};
