// The process test of a condition.
#pragma once

// Whether a running process has this executable name, compared without
// regard to case with the name as the process list gives it and with its
// file-name part, so that "app.exe" is found from every source of the list
// and a full path from those that give paths.
bool IsProcessRunning(const char* executableName);
