// CMacroCommand: construction, destruction and the stored logon.
#include "command/macro_command.h"

#include "command/account_api.h"
#include "command/command_texts.h"
#include "command/queue_mutex.h"
#include "platform/framework/archive.h"

namespace {
constexpr int kMacroCommandSchema = 1;
}

IMPLEMENT_SERIAL(CMacroCommand, CObject, kMacroCommandSchema)

CMacroCommand::CMacroCommand()
    : m_pAccountApi(&SystemAccountApi()), m_hQueueMutex(QueueMutex())
{
    m_queue.reserve(100);
}

CMacroCommand::~CMacroCommand()
{
    // Only a run that was cut short leaves these behind.
    if (m_bImpersonating)
        m_pAccountApi->Revert();
    if (m_pEnvironment != nullptr)
        m_pAccountApi->DestroyEnvironment(m_pEnvironment);
    if (m_hLogonToken != nullptr)
        m_pAccountApi->CloseToken(m_hLogonToken);
}

void CMacroCommand::Serialize(CArchive& ar)
{
    int schema = kMacroCommandSchema;
    if (ar.IsStoring())
        ar << schema;
    else
        ar >> schema;
}

int CMacroCommand::SetImpersonateInfo(const CString& user, const CString& password, BOOL interactive)
{
    m_strUserName.Empty();
    m_strPassword.Empty();
    m_bInteractive = FALSE;

    CString reason;
    if (user.IsEmpty())
        reason += command_text::kUserNameBlank;
    if (password.IsEmpty())
        reason += command_text::kPasswordBlank;
    if (!reason.IsEmpty())
        return SetErrorFormat(command_text::kUnableToLogon, static_cast<const char*>(reason));

    m_strUserName = user;
    m_strPassword = password;
    m_bInteractive = interactive ? TRUE : FALSE;
    return 1;
}
