// The module whose resources the framework loads its texts, bitmaps and
// templates from: the program's own unless the application names another.
#pragma once

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
// Null goes back to the program's own module.
void AfxSetResourceHandle(HINSTANCE hInstResource);
