// CWtkOutlookButton: a button of the outlook-style bar.
#pragma once

#include "toolkit/controls/toolbar_button.h"

class CWtkOutlookButton : public CWtkToolbarButton {
    DECLARE_DYNCREATE(CWtkOutlookButton)
};
