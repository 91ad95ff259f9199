// Tarvex.exe: the scheduler engine, a COM local server that runs as a
// Windows service or as a process.
#include <windows.h>

#include "engine/engine_module.h"
#include "engine/engine_switches.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    EngineModule engine;
    return engine.Main(ParseEngineCommandLine(GetCommandLineW()));
}
