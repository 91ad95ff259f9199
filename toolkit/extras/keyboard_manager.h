// CWtkKeyboardManager: the user's keyboard shortcuts for the frames'
// accelerator tables.
#pragma once

#include <windows.h>

class CWtkKeyboardManager {
public:
    // Frees the static copies of the accelerator tables (at exit).
    static void CleanUp();
};

// The keyboard manager, null when the program has none.
extern CWtkKeyboardManager* g_pWtkKeyboardManager;
