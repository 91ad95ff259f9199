#include "shutdown/process_termination.h"

#include "platform/com/handle.h"

bool TerminateProcessById(DWORD processId)
{
    if (processId == 0 || processId == ::GetCurrentProcessId())
        return false;
    tvx::com::Handle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (!process)
        return false;
    return ::TerminateProcess(process.Get(), kEndedProcessExitCode) != FALSE;
}
