// CWtkCommandManager: the one global record of which image each command
// shows.
#pragma once

#include <windows.h>

class CWtkCommandManager {
public:
    // The global command manager, created on first use.
    static CWtkCommandManager* GetInstance();
    // The global command manager when one was created, else null.
    static CWtkCommandManager* GetExisting() { return s_pInstance; }

    // Empties the command-to-image maps (at exit).
    void ClearAllImages();

private:
    CWtkCommandManager() = default;
    static CWtkCommandManager* s_pInstance;
};
