// CFile: a binary file on a Win32 HANDLE, and CFileException.
#pragma once

#include <windows.h>

#include "platform/framework/exception.h"
#include "platform/framework/string.h"

class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        generic = genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(Cause cause = none, LONG os_error = -1, const char* file_name = nullptr);

    // The cause that matches a Win32 error code.
    static Cause OsErrorToCause(LONG os_error);
    // Throws the exception for a Win32 error code.
    [[noreturn]] static void ThrowOsError(LONG os_error, const char* file_name = nullptr);

    const char* what() const noexcept override;

    Cause m_cause;
    LONG m_lOsError;  // the Win32 error, -1 when there is none
    CString m_strFileName;
};

struct CFileStatus {
    FILETIME m_ctime;  // creation
    FILETIME m_atime;  // last access
    FILETIME m_mtime;  // last write
    ULONGLONG m_size;
    DWORD m_attribute;  // FILE_ATTRIBUTE_* flags
    char m_szFullName[MAX_PATH];
};

class CFile {
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        // The compatibility mode of the old runtime is exclusive on Win32.
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,    // used by CStdioFile
        typeBinary = 0x8000,  // used by CStdioFile
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps an open handle without owning it: the handle is not closed by
    // Close or the destructor.
    explicit CFile(HANDLE file);
    // Opens the file; throws CFileException on failure.
    CFile(const char* file_name, UINT open_flags);
    virtual ~CFile();

    // False (and the details in *error when given) on failure. Handles are
    // never inherited by child processes: a program that the scheduler
    // starts must not keep task or log files open.
    virtual bool Open(const char* file_name, UINT open_flags, CFileException* error = nullptr);

    // Read returns the number of bytes read, 0 at the end of the file. Read
    // and Write throw CFileException on failure; a short write is diskFull.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG new_length);
    virtual void Flush();
    // Close throws on failure; Abort closes and ignores errors.
    virtual void Close();
    virtual void Abort();

    // Whether a handle is held; always false for a memory file.
    bool IsOpen() const;
    CString GetFilePath() const;
    CString GetFileName() const;

    static bool GetStatus(const char* file_name, CFileStatus& status);
    static void Rename(const char* old_name, const char* new_name);  // throws CFileException
    static void Remove(const char* file_name);                       // throws CFileException

    HANDLE m_hFile;

protected:
    bool m_bCloseOnDelete;
    CString m_strFileName;

private:
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
};
