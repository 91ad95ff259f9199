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

}  // namespace

CTaskFileLock::CTaskFileLock(const CStorageFolder& folder, DWORD wait_ms)
    : m_mutex(CreateSharedMutex(MutexName(folder)))
{
    if (!m_mutex)
        return;
    const DWORD waited = WaitForSingleObject(m_mutex.Get(), wait_ms);
    // A program that ended while it held the lock left no save half done
    // (a file is replaced in one step): the lock is ours all the same.
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CTaskFileLock::~CTaskFileLock()
{
    if (m_held)
        ReleaseMutex(m_mutex.Get());
}
