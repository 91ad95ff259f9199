#include "toolkit/foundation/state_cache.h"

#include <new>
#include <unordered_map>

#include "platform/com/handle.h"
#include "platform/framework/archive.h"
#include "platform/framework/file.h"

namespace {

constexpr int kArchiveBufferBytes = 4096;
// FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE
constexpr DWORD kTempFileFlags = 0x04000100;

// The program's one cache: identifier to open temporary file.
std::unordered_map<UINT_PTR, tvx::com::Handle>& Files()
{
    static std::unordered_map<UINT_PTR, tvx::com::Handle> files;
    return files;
}

tvx::com::Handle CreateTempFile()
{
    char folder[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        return tvx::com::Handle();
    char name[MAX_PATH] = "";
    // Creates the (empty) file, which the open below takes over.
    if (::GetTempFileNameA(folder, "Wtk", 0, name) == 0)
        return tvx::com::Handle();
    tvx::com::Handle file(::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        kTempFileFlags, nullptr));
    if (!file)
        ::DeleteFileA(name);
    return file;
}

}  // namespace

BOOL CWtkStateCache::SaveObject(UINT_PTR nID, CObject& object, bool bHasButtons)
{
    // The old state goes first, so that no failure below can leave it (or a
    // closed handle) behind for a later load.
    Files().erase(nID);
    if (!bHasButtons)
        return FALSE;
    tvx::com::Handle handle = CreateTempFile();
    if (!handle)
        return FALSE;
    try {
        CFile file(handle.Get());
        CArchive ar(&file, CArchive::store, kArchiveBufferBytes);
        object.Serialize(ar);
        ar.Close();
        Files()[nID] = std::move(handle);
    } catch (const CException&) {
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CWtkStateCache::LoadObjectFromTempFile(UINT_PTR nID, CObject& object)
{
    const auto found = Files().find(nID);
    if (found == Files().end())
        return FALSE;
    try {
        if (::SetFilePointer(found->second.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
            return FALSE;
        CFile file(found->second.Get());
        CArchive ar(&file, CArchive::load, kArchiveBufferBytes);
        object.Serialize(ar);
        ar.Close();
    } catch (const CException&) {
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

void CWtkStateCache::CloseAll()
{
    Files().clear();
}
