#include "storage/file_replacement.h"

#include "platform/com/handle.h"
#include "platform/framework/filefind.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

// A reader holds a task file open without delete sharing for a moment
// (another process loading it); the replacement waits a little for it
// instead of failing at once.
constexpr int kMoveAttempts = 10;
constexpr DWORD kMoveRetryPauseMs = 50;

// Temporary files are named by GetTempFileName: the prefix, up to four hex
// digits, ".tmp".
constexpr char kTemporaryPrefix[] = "qvx";
constexpr int kTemporaryPrefixLength = 3;
constexpr char kTemporaryExtension[] = ".tmp";
constexpr int kTemporaryExtensionLength = 4;
constexpr int kTemporaryMaxDigits = 4;

bool IsTemporaryFileName(const char* name)
{
    const int length = static_cast<int>(strlen(name));
    const int digits = length - kTemporaryPrefixLength - kTemporaryExtensionLength;
    if (digits < 1 || digits > kTemporaryMaxDigits)
        return false;
    if (_strnicmp(name, kTemporaryPrefix, kTemporaryPrefixLength) != 0 ||
        _stricmp(name + length - kTemporaryExtensionLength, kTemporaryExtension) != 0)
        return false;
    for (int i = 0; i < digits; ++i) {
        if (!isxdigit(static_cast<unsigned char>(name[kTemporaryPrefixLength + i])))
            return false;
    }
    return true;
}

CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    const int forward = path.ReverseFind('/');
    const int end = slash > forward ? slash : forward;
    return end < 0 ? CString(".") : path.Left(end + 1);
}

// Deletes the temporary file unless it has been moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const CString& path) : m_Path(path) {}
    ~TemporaryFile()
    {
        if (!m_Path.IsEmpty())
            DeleteFileA(m_Path);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const CString& Path() const { return m_Path; }
    void Keep() { m_Path.Empty(); }

private:
    CString m_Path;
};

bool Fail(DWORD code, DWORD* error)
{
    if (error != nullptr)
        *error = code;
    return false;
}

bool WriteAll(HANDLE file, const void* data, size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x100000 ? 0x100000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr))
            return false;
        if (written != chunk) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

bool MoveIntoPlace(const CString& from, const CString& to)
{
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD code = GetLastError();
        const bool busy = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
                          code == ERROR_LOCK_VIOLATION;
        if (!busy || attempt == kMoveAttempts) {
            SetLastError(code);
            return false;
        }
        Sleep(kMoveRetryPauseMs);
    }
}

}  // namespace

bool WriteFileReplacing(const CString& path, const void* data, size_t size, DWORD* error)
{
    if (path.IsEmpty())
        return Fail(ERROR_INVALID_NAME, error);

    char temporaryName[MAX_PATH] = "";
    if (GetTempFileNameA(FolderOf(path), kTemporaryPrefix, 0, temporaryName) == 0)
        return Fail(GetLastError(), error);
    TemporaryFile temporary(temporaryName);

    {
        tvx::com::Handle file(CreateFileA(temporary.Path(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return Fail(GetLastError(), error);
        if (!WriteAll(file.Get(), data, size) || !FlushFileBuffers(file.Get()))
            return Fail(GetLastError(), error);
        const HANDLE closing = file.Detach();
        if (!CloseHandle(closing))
            return Fail(GetLastError(), error);
    }

    if (!MoveIntoPlace(temporary.Path(), path))
        return Fail(GetLastError(), error);
    temporary.Keep();
    return true;
}

void RemoveLeftoverTemporaryFiles(const CString& folder)
{
    std::vector<CString> leftovers;
    {
        CFileFind finder;
        bool more = finder.FindFile(folder + kTemporaryPrefix + "*" + kTemporaryExtension);
        while (more) {
            more = finder.FindNextFile();
            if (!finder.IsDirectory() && IsTemporaryFileName(finder.GetFileName()))
                leftovers.push_back(finder.GetFilePath());
        }
    }
    // A file another program still holds open (a writer that keeps no
    // lock) refuses the deletion and stays.
    for (const CString& path : leftovers)
        DeleteFileA(path);
}
