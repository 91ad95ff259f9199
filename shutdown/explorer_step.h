#pragma once

// True when the file name at the end of an executable path (after the last
// backslash) is "explorer.exe" in any case. Windows 95/98 reports full paths,
// later systems bare names.
bool IsExplorerPath(const char* path);

// Ends every process running explorer.exe; the helper does this only for a
// forced end on Windows 95/98. The tool-help functions are looked up at run
// time because Windows NT 4 has none; without them nothing is done.
void EndExplorerProcesses();
