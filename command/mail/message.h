// CMessage: one mail message composed through CSMSGL32.dll. Made on the stack
// for one command: construction loads and initialises the library,
// destruction releases it.
#pragma once

#include <windows.h>

#include "command/mail/mail_library.h"
#include "platform/framework/string.h"
#include "platform/mail/csmsgl32.h"

class CMessage {
public:
    CMessage();
    ~CMessage();
    CMessage(const CMessage&) = delete;
    CMessage& operator=(const CMessage&) = delete;

    // The library loaded, every entry point bound and the initialise result
    // non-zero.
    bool IsReady() const { return m_nInitResult != 0; }

    // Creates the message; false when the library failed (handle -1).
    bool Create();
    bool SetHeader(const char* name, const char* value);
    void AppendText(const char* text);
    bool AttachFile(const char* path);
    bool Export(const char* path);

    // The library's text for its last error code (or why the library is not
    // there at all).
    CString GetLastErrorText() const;

private:
    mail::MailLibrary m_library;
    CSMSG_SESSION m_session{};
    LONG m_hMessage = -1;
    BOOL m_nInitResult = FALSE;

    CSMSG_INITIALIZE m_pfnInitialize;
    CSMSG_RELEASE m_pfnRelease;
    CSMSG_CREATE_MESSAGE m_pfnCreateMessage;
    CSMSG_SET_HEADER m_pfnSetHeader;
    CSMSG_APPEND_TEXT m_pfnAppendText;
    CSMSG_ATTACH_FILE m_pfnAttachFile;
    CSMSG_EXPORT_MESSAGE m_pfnExportMessage;
    CSMSG_LAST_ERROR m_pfnLastError;
    CSMSG_ERROR_TEXT m_pfnErrorText;
};
