#include "command/mail/smtp_client.h"

#include "command/mail/mail_texts.h"

CSmtpClient::CSmtpClient()
    : m_library("CSMTPL32.dll"),
      m_pfnInitialize(m_library.Bind<CSMTP_INITIALIZE>(CSMTP_ORDINAL_INITIALIZE)),
      m_pfnRelease(m_library.Bind<CSMTP_RELEASE>(CSMTP_ORDINAL_RELEASE)),
      m_pfnConnect(m_library.Bind<CSMTP_CONNECT>(CSMTP_ORDINAL_CONNECT)),
      m_pfnHello(m_library.Bind<CSMTP_HELLO>(CSMTP_ORDINAL_HELLO)),
      m_pfnSendMessageFile(
          m_library.Bind<CSMTP_SEND_MESSAGE_FILE>(CSMTP_ORDINAL_SEND_MESSAGE_FILE)),
      m_pfnDisconnect(m_library.Bind<CSMTP_DISCONNECT>(CSMTP_ORDINAL_DISCONNECT)),
      m_pfnLastError(m_library.Bind<CSMTP_LAST_ERROR>(CSMTP_ORDINAL_LAST_ERROR)),
      m_pfnErrorText(m_library.Bind<CSMTP_ERROR_TEXT>(CSMTP_ORDINAL_ERROR_TEXT))
{
    // A library without every entry point is treated as no library: no call
    // below ever goes through a null pointer.
    bool complete = m_pfnInitialize && m_pfnRelease && m_pfnConnect && m_pfnHello &&
                    m_pfnSendMessageFile && m_pfnDisconnect && m_pfnLastError && m_pfnErrorText;
    if (complete)
        m_nInitResult = m_pfnInitialize(&m_session);
}

CSmtpClient::~CSmtpClient()
{
    Disconnect();
    if (m_nInitResult)
        m_pfnRelease(&m_session);
}

bool CSmtpClient::Connect(const char* server, long port, long timeoutSeconds)
{
    if (!IsReady())
        return false;
    m_hConnection = m_pfnConnect(&m_session, server, port, timeoutSeconds);
    return m_hConnection != -1;
}

bool CSmtpClient::Greet()
{
    return IsReady() && m_pfnHello(&m_session, m_hConnection, nullptr, 0) != 0;
}

bool CSmtpClient::SendMessageFile(const char* sender, const char* recipients, const char* path)
{
    return IsReady() &&
           m_pfnSendMessageFile(&m_session, m_hConnection, sender, recipients, path) != 0;
}

void CSmtpClient::Disconnect()
{
    if (IsReady() && m_hConnection != -1)
        m_pfnDisconnect(&m_session, m_hConnection);
    m_hConnection = -1;
}

CString CSmtpClient::GetLastErrorText() const
{
    CString text;
    if (m_pfnLastError == nullptr || m_pfnErrorText == nullptr) {
        text.Format(mail::kLibraryNotLoaded, m_library.FileName());
        return text;
    }
    char buffer[128] = "";
    m_pfnErrorText(m_pfnLastError(), buffer, sizeof(buffer));
    text = buffer;
    return text;
}
