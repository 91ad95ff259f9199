#include "task/condition_account.h"

#include "task/shared/system_error_text.h"

namespace {

class SystemApi : public ConditionAccountApi {
public:
    BOOL LogOn(const char* user, const char* domain, const char* password, HANDLE* token) override
    {
        return LogonUserA(user, domain, password, LOGON32_LOGON_INTERACTIVE, LOGON32_PROVIDER_DEFAULT, token);
    }
    void CloseToken(HANDLE token) override { CloseHandle(token); }
    BOOL Impersonate(HANDLE token) override { return ImpersonateLoggedOnUser(token); }
    void Revert() override { RevertToSelf(); }
};

// The logon token, closed with the account interface it came from.
class LogonToken {
public:
    explicit LogonToken(ConditionAccountApi& api) : m_api(api) {}
    ~LogonToken()
    {
        if (m_token != nullptr)
            m_api.CloseToken(m_token);
    }
    LogonToken(const LogonToken&) = delete;
    LogonToken& operator=(const LogonToken&) = delete;
    HANDLE* Receive() { return &m_token; }
    HANDLE Get() const { return m_token; }

private:
    ConditionAccountApi& m_api;
    HANDLE m_token = nullptr;
};

CString ErrorText(const char* what)
{
    CString text;
    text.Format("%s\n%s", what, GetLastErrorText().c_str());
    return text;
}

}  // namespace

ConditionAccountApi& SystemConditionAccountApi()
{
    static SystemApi api;
    return api;
}

void SplitAccountName(const CString& name, CString* domain, CString* user)
{
    const int backslash = name.Find('\\');
    if (backslash >= 1) {
        *domain = name.Left(backslash);
        *user = name.Mid(backslash + 1);
    } else {
        *domain = ".";
        *user = name;
    }
}

ConditionImpersonation::~ConditionImpersonation()
{
    if (m_impersonating)
        m_api.Revert();
}

bool ConditionImpersonation::Begin(const CString& userName, const CString& password, CString* error)
{
    if (password.IsEmpty())
        return true;

    CString domain, user;
    SplitAccountName(userName, &domain, &user);

    LogonToken token(m_api);
    if (!m_api.LogOn(user, domain, password, token.Receive())) {
        *error = ErrorText("Unable to complete user log on");
        return false;
    }
    if (!m_api.Impersonate(token.Get())) {
        *error = ErrorText("Unable to complete user Impersonation");
        return false;
    }
    m_impersonating = true;
    return true;
}
