// The calls of a queue run that depend on a real user account: logon, the
// token's account and groups, the profile, the environment block,
// impersonation and the access lists of the window station and desktop.
// They sit behind this one interface because they only work with a token the
// system really issued (Wine's LogonUser, for one, hands out a token nothing
// else accepts); SystemAccountApi() is the implementation on the real calls.
//
// Every call that can fail returns ERROR_SUCCESS or the system error code.
#pragma once

#include <windows.h>
#include <userenv.h>

#include <vector>

#include "platform/framework/string.h"

class AccountApi {
public:
    virtual ~AccountApi() = default;

    // Interactive logon with the default provider; an empty domain is none.
    virtual DWORD LogOn(const CString& user, const CString& domain, const CString& password,
                        HANDLE* token) = 0;
    virtual void CloseToken(HANDLE token) = 0;

    // The account name and domain of the token's user.
    virtual DWORD ReadAccountName(HANDLE token, CString* name, CString* domain) = 0;
    // The token's groups as the system returns them (a TOKEN_GROUPS record).
    virtual DWORD ReadTokenGroups(HANDLE token, std::vector<BYTE>* groups) = 0;

    // Success with profile->hProfile left null when the system offers no
    // profile loading: the profile step then counts as done.
    virtual DWORD LoadProfile(HANDLE token, PROFILEINFOA* profile) = 0;
    virtual void UnloadProfile(HANDLE token, HANDLE profile_key) = 0;

    // The user's own environment, not inheriting the caller's.
    virtual DWORD CreateEnvironment(HANDLE token, void** block) = 0;
    virtual void DestroyEnvironment(void* block) = 0;

    // On the calling thread.
    virtual DWORD Impersonate(HANDLE token) = 0;
    virtual void Revert() = 0;

    // The discretionary access list of a window station or desktop, as a
    // self-relative security descriptor, and its replacement.
    virtual DWORD ReadDacl(HANDLE object, std::vector<BYTE>* descriptor) = 0;
    virtual DWORD WriteDacl(HANDLE object, ACL* dacl) = 0;
};

AccountApi& SystemAccountApi();
