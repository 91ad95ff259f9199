// RASAPI32.DLL, bound at run time: a computer without dial-up networking has
// no such library, and the dial-up commands then only report so.
#pragma once

#include "command/dialup/ras_records.h"

namespace dialup {

class RasLibrary {
public:
    // Whether the library can be loaded: loads it and frees it at once.
    static bool IsInstalled();

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
