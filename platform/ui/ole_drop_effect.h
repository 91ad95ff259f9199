// The effect of a drag (DROPEFFECT_COPY, DROPEFFECT_MOVE, ... of oleidl.h),
// as the framework's drag-and-drop classes name its type.
#pragma once

#include <ole2.h>

typedef DWORD DROPEFFECT;
