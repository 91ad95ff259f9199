// CPU time and private memory of a process. On Windows through
// GetProcessTimes and GetProcessMemoryInfo; under Wine 8 those give no real
// figures (the memory counters stay put while the process allocates, and
// another process's times are those of the caller), so there the figures
// come from the Linux process's /proc entries, which Wine's Z: drive shows.
#pragma once

#include <windows.h>

#include <string>

namespace benchfigures {

bool UnderWine();

// Bytes of private memory the process has in use: PrivateUsage, or under
// Wine the resident anonymous memory (RssAnon) of the Linux process
// unix_pid. 0 when unknown.
SIZE_T PrivateBytes(HANDLE process, unsigned long unix_pid);
// Milliseconds of CPU (kernel and user) the process has used; negative when
// unknown.
double CpuMs(HANDLE process, unsigned long unix_pid);

// Under Wine: the Linux process id of the Windows process started with the
// command line given (its program path and, when not empty, its first
// argument); 0 when none is found. Elsewhere 0.
unsigned long UnixProcessId(const std::wstring& program, const std::wstring& argument);
// The Linux process id of this process under Wine, else 0.
unsigned long OwnUnixProcessId();
// Under Wine: the Linux process id of the wineserver of this process's
// prefix (the one whose environment names the same WINEPREFIX), which does
// the work of every file open, wait and window call; 0 when not found.
unsigned long WineServerUnixProcessId();

}  // namespace benchfigures
