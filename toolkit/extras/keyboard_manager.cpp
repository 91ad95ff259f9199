#include "toolkit/extras/keyboard_manager.h"

CWtkKeyboardManager* g_pWtkKeyboardManager = nullptr;

void CWtkKeyboardManager::CleanUp()
{
    // No accelerator table has been copied yet.
}
