// CWtkBaseTabWnd: the base of every tab window.
#pragma once

#include "platform/ui/wnd.h"

class CWtkBaseTabWnd : public CWnd {
    DECLARE_DYNAMIC(CWtkBaseTabWnd)
public:
    // TRUE for the flat tab styles; the base has none.
    virtual BOOL IsFlatTabs() const { return FALSE; }
};
