#include "toolkit/controls/button.h"

IMPLEMENT_DYNAMIC(CWtkButton, CButton)
