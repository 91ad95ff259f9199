#include "command/mail/message.h"

#include "command/mail/mail_texts.h"

CMessage::CMessage()
    : m_library("CSMSGL32.dll"),
      m_pfnInitialize(m_library.Bind<CSMSG_INITIALIZE>(CSMSG_ORDINAL_INITIALIZE)),
      m_pfnRelease(m_library.Bind<CSMSG_RELEASE>(CSMSG_ORDINAL_RELEASE)),
      m_pfnCreateMessage(m_library.Bind<CSMSG_CREATE_MESSAGE>(CSMSG_ORDINAL_CREATE_MESSAGE)),
      m_pfnSetHeader(m_library.Bind<CSMSG_SET_HEADER>(CSMSG_ORDINAL_SET_HEADER)),
      m_pfnAppendText(m_library.Bind<CSMSG_APPEND_TEXT>(CSMSG_ORDINAL_APPEND_TEXT)),
      m_pfnAttachFile(m_library.Bind<CSMSG_ATTACH_FILE>(CSMSG_ORDINAL_ATTACH_FILE)),
      m_pfnExportMessage(m_library.Bind<CSMSG_EXPORT_MESSAGE>(CSMSG_ORDINAL_EXPORT_MESSAGE)),
      m_pfnLastError(m_library.Bind<CSMSG_LAST_ERROR>(CSMSG_ORDINAL_LAST_ERROR)),
      m_pfnErrorText(m_library.Bind<CSMSG_ERROR_TEXT>(CSMSG_ORDINAL_ERROR_TEXT))
{
    // A library without every entry point is treated as no library: no call
    // below ever goes through a null pointer.
    bool complete = m_pfnInitialize && m_pfnRelease && m_pfnCreateMessage && m_pfnSetHeader &&
                    m_pfnAppendText && m_pfnAttachFile && m_pfnExportMessage && m_pfnLastError &&
                    m_pfnErrorText;
    if (complete)
        m_nInitResult = m_pfnInitialize(&m_session);
}

CMessage::~CMessage()
{
    if (m_nInitResult)
        m_pfnRelease(&m_session);
}

bool CMessage::Create()
{
    if (!IsReady())
        return false;
    m_hMessage = m_pfnCreateMessage(&m_session);
    return m_hMessage != -1;
}

bool CMessage::SetHeader(const char* name, const char* value)
{
    return IsReady() && m_pfnSetHeader(&m_session, m_hMessage, name, value) != 0;
}

void CMessage::AppendText(const char* text)
{
    if (IsReady())
        m_pfnAppendText(&m_session, m_hMessage, text);
}

bool CMessage::AttachFile(const char* path)
{
    return IsReady() && m_pfnAttachFile(&m_session, m_hMessage, path) != 0;
}

bool CMessage::Export(const char* path)
{
    return IsReady() && m_pfnExportMessage(&m_session, m_hMessage, path) != 0;
}

CString CMessage::GetLastErrorText() const
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
