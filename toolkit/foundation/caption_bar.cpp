#include "toolkit/foundation/caption_bar.h"

IMPLEMENT_DYNAMIC(CWtkCaptionBar, CWtkControlBar)
