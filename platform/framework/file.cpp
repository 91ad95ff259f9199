#include "platform/framework/file.h"

#include <algorithm>

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFileException::CFileException(Cause cause, LONG os_error, const char* file_name)
    : m_cause(cause), m_lOsError(os_error), m_strFileName(file_name)
{
}

CFileException::Cause CFileException::OsErrorToCause(LONG os_error)
{
    switch (os_error) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
        return hardIO;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG os_error, const char* file_name)
{
    throw CFileException(OsErrorToCause(os_error), os_error, file_name);
}

const char* CFileException::what() const noexcept
{
    return "file error";
}

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(false) {}

CFile::CFile(HANDLE file) : m_hFile(file), m_bCloseOnDelete(false) {}

CFile::CFile(const char* file_name, UINT open_flags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(false)
{
    CFileException error;
    if (!Open(file_name, open_flags, &error))
        throw error;
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

bool CFile::Open(const char* file_name, UINT open_flags, CFileException* error)
{
    if (error != nullptr)
        *error = CFileException(CFileException::none, -1, file_name);
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = false;
    m_strFileName.Empty();
    if (file_name == nullptr || *file_name == '\0') {
        if (error != nullptr)
            *error = CFileException(CFileException::badPath, ERROR_INVALID_NAME, file_name);
        return false;
    }

    DWORD access = 0;
    switch (open_flags & 3) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        if (error != nullptr)
            *error = CFileException(CFileException::genericException, ERROR_INVALID_PARAMETER, file_name);
        return false;
    }

    DWORD share = 0;
    switch (open_flags & 0x70) {
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:  // shareCompat, shareExclusive
        share = 0;
        break;
    }

    DWORD creation = OPEN_EXISTING;
    if (open_flags & modeCreate)
        creation = (open_flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
    HANDLE handle = ::CreateFileA(file_name, access, share, &security, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const LONG os_error = static_cast<LONG>(::GetLastError());
        if (error != nullptr)
            *error = CFileException(CFileException::OsErrorToCause(os_error), os_error, file_name);
        return false;
    }
    m_hFile = handle;
    m_bCloseOnDelete = true;
    m_strFileName = file_name;
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, buffer, count, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    if (written != count)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    DWORD method = FILE_BEGIN;
    if (from == current)
        method = FILE_CURRENT;
    else if (from == end)
        method = FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, method))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG new_length)
{
    Seek(static_cast<LONGLONG>(new_length), begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Close()
{
    HANDLE handle = m_hFile;
    const bool owned = m_bCloseOnDelete;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = false;
    if (handle != INVALID_HANDLE_VALUE && owned && !::CloseHandle(handle))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = false;
}

bool CFile::IsOpen() const
{
    return m_hFile != INVALID_HANDLE_VALUE;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    const int colon = m_strFileName.ReverseFind(':');
    return m_strFileName.Mid(std::max(slash, colon) + 1);
}

bool CFile::GetStatus(const char* file_name, CFileStatus& status)
{
    if (file_name == nullptr || *file_name == '\0')
        return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(file_name, GetFileExInfoStandard, &data))
        return false;
    status.m_ctime = data.ftCreationTime;
    status.m_atime = data.ftLastAccessTime;
    status.m_mtime = data.ftLastWriteTime;
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = data.dwFileAttributes;
    const DWORD length = ::GetFullPathNameA(file_name, MAX_PATH, status.m_szFullName, nullptr);
    if (length == 0 || length >= MAX_PATH)
        status.m_szFullName[0] = '\0';
    return true;
}

void CFile::Rename(const char* old_name, const char* new_name)
{
    if (!::MoveFileA(old_name, new_name))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), old_name);
}

void CFile::Remove(const char* file_name)
{
    if (!::DeleteFileA(file_name))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), file_name);
}
