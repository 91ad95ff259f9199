#include "command/queue_mutex.h"

#include "command/owned_handle.h"

HANDLE QueueMutex()
{
    static const OwnedKernelHandle mutex(::CreateMutexA(nullptr, FALSE, "MutexProtectExecuteQue"));
    return mutex.get();
}

DWORD QueueMutexLock::Acquire()
{
    if (m_hMutex == nullptr)
        return ERROR_INVALID_HANDLE;
    for (;;) {
        const DWORD wait = ::WaitForSingleObject(m_hMutex, 1000);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            m_bOwned = true;
            return ERROR_SUCCESS;
        }
        if (wait != WAIT_TIMEOUT) {
            const DWORD error = ::GetLastError();
            return error != ERROR_SUCCESS ? error : ERROR_INVALID_HANDLE;
        }
    }
}

DWORD QueueMutexLock::Release()
{
    if (!m_bOwned)
        return ERROR_SUCCESS;
    m_bOwned = false;
    if (!::ReleaseMutex(m_hMutex))
        return ::GetLastError();
    return ERROR_SUCCESS;
}
