// The test host's one application object; the framework's entry point runs it.
#include "host_app.h"

namespace {

HostApp theHost;

}  // namespace
