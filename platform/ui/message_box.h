// A message box of the running program: owned by the main window (or the
// box it shows last), titled with the application's name.
#pragma once

#include <windows.h>

int AfxMessageBox(const char* text, UINT type = MB_OK, UINT nIDHelp = 0);
// The text of a string resource; an empty text when the string is missing.
int AfxMessageBox(UINT nIDPrompt, UINT type = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
