// CWtkTaskGroup: a group of a task pane, as its caption hook reads it.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"
#include "platform/ui/geometry.h"

class CWtkTaskGroup {
public:
    CString m_strName;
    BOOL m_bIsSpecial = FALSE;
    CRect m_rectGroup;  // the caption rectangle
    BOOL m_bIsCollapsed = FALSE;
};
