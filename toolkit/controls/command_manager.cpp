#include "toolkit/controls/command_manager.h"

CWtkCommandManager* CWtkCommandManager::s_pInstance = nullptr;

CWtkCommandManager* CWtkCommandManager::GetInstance()
{
    static CWtkCommandManager manager;
    s_pInstance = &manager;
    return s_pInstance;
}

void CWtkCommandManager::ClearAllImages()
{
    // No command has an image recorded yet.
}
