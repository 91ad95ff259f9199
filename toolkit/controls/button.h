// CWtkButton: the toolkit's push button.
#pragma once

#include "platform/ui/button.h"

class CWtkButton : public CButton {
    DECLARE_DYNAMIC(CWtkButton)
public:
    // The mouse was pressed on the button and is still over it.
    BOOL IsPushed() const { return m_bPushed; }
    // The mouse is over the button.
    BOOL IsHighlighted() const { return m_bHighlighted; }

protected:
    BOOL m_bPushed = FALSE;
    BOOL m_bHighlighted = FALSE;
};
