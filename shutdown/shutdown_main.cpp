// The shutdown helper program: the application object on the real system.
#include "shutdown/shutdown_app.h"
#include "shutdown/shutdown_system.h"

namespace {

Win32ShutdownSystem g_system;

}  // namespace

CShutdownHelperApp theApp(g_system);
