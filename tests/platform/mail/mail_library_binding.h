// The two mail libraries bound by ordinal, as their callers bind them, for
// tests that drive the libraries directly.
#pragma once

#include <windows.h>

#include <string>

#include "platform/mail/csmsgl32.h"
#include "platform/mail/csmtpl32.h"

class BoundLibrary {
public:
    // From the test program's own directory, where the build copies it.
    explicit BoundLibrary(const char* file_name);
    ~BoundLibrary();
    BoundLibrary(const BoundLibrary&) = delete;
    BoundLibrary& operator=(const BoundLibrary&) = delete;

    HMODULE module() const { return m_module; }
    template <typename Function>
    Function Bind(int ordinal) const
    {
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(::GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal))));
    }

private:
    HMODULE m_module;
};

struct MessageLibrary {
    MessageLibrary();
    BoundLibrary library{"CSMSGL32.dll"};
    CSMSG_INITIALIZE Initialize;
    CSMSG_RELEASE Release;
    CSMSG_CREATE_MESSAGE CreateMessage;
    CSMSG_SET_HEADER SetHeader;
    CSMSG_APPEND_TEXT AppendText;
    CSMSG_ATTACH_FILE AttachFile;
    CSMSG_EXPORT_MESSAGE ExportMessage;
    CSMSG_LAST_ERROR LastError;
    CSMSG_ERROR_TEXT ErrorText;

    // The text of the calling thread's last error.
    std::string LastErrorText() const;
};

struct TransportLibrary {
    TransportLibrary();
    BoundLibrary library{"CSMTPL32.dll"};
    CSMTP_INITIALIZE Initialize;
    CSMTP_RELEASE Release;
    CSMTP_CONNECT Connect;
    CSMTP_HELLO Hello;
    CSMTP_SEND_MESSAGE_FILE SendMessageFile;
    CSMTP_DISCONNECT Disconnect;
    CSMTP_LAST_ERROR LastError;
    CSMTP_ERROR_TEXT ErrorText;

    std::string LastErrorText() const;
};

// The directory of the test program, ending in a backslash.
std::string TestProgramDirectory();

// A path in a folder of the running test's own (made when missing) beside
// the test program, so that tests running side by side never share a file.
std::string TestFilePath(const std::string& name);
// Removes that folder once its files are deleted.
void RemoveTestFolder();

// Writes bytes to a file, replacing it; false on failure.
bool WriteTestFile(const std::string& path, const std::string& bytes);
bool ReadTestFile(const std::string& path, std::string& bytes);
