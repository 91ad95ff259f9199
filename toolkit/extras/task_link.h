// CWtkTaskLink: a link of a task pane, as its drawing hook reads it.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"
#include "platform/ui/geometry.h"

class CWtkTaskLink {
public:
    CString m_strName;
    int m_nIcon = -1;
    BOOL m_bEnabled = TRUE;
    CRect m_rect;
};
