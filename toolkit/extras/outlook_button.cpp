#include "toolkit/extras/outlook_button.h"

IMPLEMENT_DYNCREATE(CWtkOutlookButton, CWtkToolbarButton)
