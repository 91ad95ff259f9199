// The account a condition test runs under: logon and impersonation of the
// calling thread for the length of one test.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

// The calls that depend on a token the system really issued. They sit behind
// this interface because on some systems (Wine among them) LogonUser hands out
// a token that nothing else accepts; SystemConditionAccountApi() makes the
// real calls. Failures return FALSE and leave the reason as the thread's last
// error.
class ConditionAccountApi {
public:
    virtual ~ConditionAccountApi() = default;

    // Interactive logon with the default provider.
    virtual BOOL LogOn(const char* user, const char* domain, const char* password, HANDLE* token) = 0;
    virtual void CloseToken(HANDLE token) = 0;
    // On the calling thread.
    virtual BOOL Impersonate(HANDLE token) = 0;
    virtual void Revert() = 0;
};

ConditionAccountApi& SystemConditionAccountApi();

// The domain and user of a user name: "DOMAIN\user" gives both parts; a name
// without a backslash, or one that begins with it, is used whole as a user of
// the local computer ".".
void SplitAccountName(const CString& name, CString* domain, CString* user);

// Logs the account on and impersonates it on the calling thread; the
// impersonation ends when the object goes. Without a password nothing is
// done: the test then runs under the process's own identity.
class ConditionImpersonation {
public:
    explicit ConditionImpersonation(ConditionAccountApi& api) : m_api(api) {}
    ~ConditionImpersonation();
    ConditionImpersonation(const ConditionImpersonation&) = delete;
    ConditionImpersonation& operator=(const ConditionImpersonation&) = delete;

    // False with *error set ("Unable to complete user log on\n..." and the
    // like) when the logon or the impersonation fails.
    bool Begin(const CString& userName, const CString& password, CString* error);

private:
    ConditionAccountApi& m_api;
    bool m_impersonating = false;
};
