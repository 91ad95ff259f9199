// A message box of the running program: owned by the main window when it
// has one, titled with the application's name.
#pragma once

#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK);
