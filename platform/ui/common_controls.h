// Registers the window classes of the common controls on first use.
#pragma once

#include <windows.h>
#include <commctrl.h>

// ICC_ classes; TRUE when they are available.
BOOL EnsureCommonControls(DWORD classes);
