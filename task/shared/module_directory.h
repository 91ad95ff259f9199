#pragma once

#include <string>

// The drive and directory of the running program's executable, ending with a
// backslash; empty when the module file name cannot be read. Inside a
// component loaded by a host this is the host's directory, not the component's.
std::string GetModuleDirectory();
