// What the engine's command line asks for. Installers and COM pass the
// switches after "-" or "/" ("/RegServer", "-Embedding"); each text runs to
// the end of the line, so "/Start -Embedding" is not the Start switch.
#pragma once

#include <string_view>

enum class EngineAction {
    Run,          // serve as a service or a process (also "Embedding")
    Register,     // "RegServer": register for process mode
    RegisterService,  // "Service": register for service mode and install the service
    Unregister,   // "UnregServer"
    StopRunning,  // "Stop": stop the running engine's scheduler
};

struct EngineCommand {
    EngineAction action = EngineAction::Run;
    bool start_now = false;  // "Start": start the scheduler at once
};

// The first switch that ends the program decides; "Start" only sets the flag.
EngineCommand ParseEngineCommandLine(std::wstring_view command_line);
