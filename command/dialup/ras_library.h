// RASAPI32.DLL, bound at run time: a computer without dial-up networking has
// no such library, and the dial-up commands then only report so.
#pragma once

#include <windows.h>

#include "command/dialup/ras_records.h"

namespace dialup {

// A reference on the library, held by each dial-up state for its life.
// While command objects exist the library stays mapped, so making one more
// costs a reference count instead of mapping and unmapping the library.
class RasLibraryReference {
public:
    RasLibraryReference();
    ~RasLibraryReference();
    RasLibraryReference(const RasLibraryReference&) = delete;
    RasLibraryReference& operator=(const RasLibraryReference&) = delete;

    // Whether the library could be loaded.
    bool Loaded() const { return m_module != nullptr; }

private:
    HMODULE m_module;
};

class RasLibrary {
public:
    // The library bound on the first call and kept loaded for the rest of
    // the process, as a delay-loaded import is (connections it notifies about
    // may outlive any one command). Null when it cannot be loaded or lacks an
    // entry point; a later call tries again.
    static const RasLibrary* Bound();

    RasDialFunction Dial;
    RasEnumConnectionsFunction EnumConnections;
    RasGetConnectStatusFunction GetConnectStatus;
    RasHangUpFunction HangUp;
    RasGetErrorStringFunction GetErrorString;
};

}  // namespace dialup
