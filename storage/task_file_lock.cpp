#include "storage/task_file_lock.h"

#include <sddl.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "storage/record_file.h"

namespace {

// SYSTEM and the administrators may do anything with the mutex, everyone
// else wait for it and release it: the engine may run as a service while
// the administrator and other clients run as the user.
constexpr char kMutexSecurity[] = "D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;WD)";

// One name per tasks folder (letter case ignored, as the file system does).
std::string MutexName(const CStorageFolder& folder)
{
    std::string path = static_cast<const char*>(folder.TaskFolder());
    for (char& c : path)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    char name[64];
    snprintf(name, sizeof name, "TarvexTaskFiles-%016llX",
             static_cast<unsigned long long>(RecordVersion(path.data(), path.size())));
    return name;
}

HANDLE CreateSharedMutex(const std::string& name)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(kMutexSecurity, SDDL_REVISION_1, &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    // Windows without session namespaces refuses the "Global\" prefix; the
    // plain name is then the one name there is.
    HANDLE mutex = CreateMutexA(&attributes, FALSE, ("Global\\" + name).c_str());
    if (mutex == nullptr)
        mutex = CreateMutexA(&attributes, FALSE, name.c_str());
    if (descriptor != nullptr)
        LocalFree(descriptor);
    return mutex;
}

// The innermost lock each thread holds, linked to the ones around it.
thread_local CTaskFileLock* t_innermost = nullptr;

}  // namespace

CTaskFileLock::CTaskFileLock(const CStorageFolder& folder, DWORD wait_ms) : m_name(MutexName(folder))
{
    if (HeldOnThisThread(m_name) != nullptr) {
        m_held = true;
    } else {
        m_mutex.Reset(CreateSharedMutex(m_name));
        if (!m_mutex)
            return;
        const DWORD waited = WaitForSingleObject(m_mutex.Get(), wait_ms);
        // A program that ended while it held the lock left no save half done
        // (a file is replaced in one step): the lock is ours all the same.
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        if (!m_held)
            return;
    }
    m_outer = t_innermost;
    t_innermost = this;
    m_registered = true;
}

CTaskFileLock::~CTaskFileLock()
{
    if (m_registered)
        t_innermost = m_outer;
    // A nested lock has no mutex of its own: the outer one lets it go.
    if (m_held && m_mutex)
        ReleaseMutex(m_mutex.Get());
}

const CTaskFileLock* CTaskFileLock::HeldOnThisThread(const std::string& name)
{
    for (const CTaskFileLock* lock = t_innermost; lock != nullptr; lock = lock->m_outer) {
        if (lock->m_name == name)
            return lock;
    }
    return nullptr;
}
