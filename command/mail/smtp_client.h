// CSmtpClient: one SMTP session through CSMTPL32.dll. Made on the stack for
// one command: construction loads and initialises the library, destruction
// releases it (closing any connection left open).
#pragma once

#include <windows.h>

#include "command/mail/mail_library.h"
#include "platform/framework/string.h"
#include "platform/mail/csmtpl32.h"

class CSmtpClient {
public:
    CSmtpClient();
    ~CSmtpClient();
    CSmtpClient(const CSmtpClient&) = delete;
    CSmtpClient& operator=(const CSmtpClient&) = delete;

    bool IsReady() const { return m_nInitResult != 0; }

    // Connects and reads the server's greeting; false when the library failed
    // (handle -1).
    bool Connect(const char* server, long port, long timeoutSeconds);
    // HELO with this computer's name.
    bool Greet();
    bool SendMessageFile(const char* sender, const char* recipients, const char* path);
    // QUIT and close; nothing when not connected.
    void Disconnect();

    CString GetLastErrorText() const;

private:
    mail::MailLibrary m_library;
    CSMTP_SESSION m_session{};
    LONG m_hConnection = -1;
    BOOL m_nInitResult = FALSE;

    CSMTP_INITIALIZE m_pfnInitialize;
    CSMTP_RELEASE m_pfnRelease;
    CSMTP_CONNECT m_pfnConnect;
    CSMTP_HELLO m_pfnHello;
    CSMTP_SEND_MESSAGE_FILE m_pfnSendMessageFile;
    CSMTP_DISCONNECT m_pfnDisconnect;
    CSMTP_LAST_ERROR m_pfnLastError;
    CSMTP_ERROR_TEXT m_pfnErrorText;
};
