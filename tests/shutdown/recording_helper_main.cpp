// The shutdown helper built on the recording system: the program's own
// start-up, command line, dialogs and exit codes, without ending the session.
#include "recording_shutdown_system.h"
#include "shutdown/shutdown_app.h"

namespace {

RecordingShutdownSystem g_system;

}  // namespace

CShutdownHelperApp theApp(g_system);
