// The account calls of a queue run on the real system. The profile and
// environment functions are bound from userenv.dll for each call, so that the
// component loads where that library or a function of it is missing.
#include "command/account_api.h"

namespace {

DWORD LastErrorOr(DWORD fallback)
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

class UserEnvLibrary {
public:
    UserEnvLibrary() : m_module(::LoadLibraryA("userenv.dll")) {}
    ~UserEnvLibrary()
    {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }
    UserEnvLibrary(const UserEnvLibrary&) = delete;
    UserEnvLibrary& operator=(const UserEnvLibrary&) = delete;

    template <typename Function>
    Function Find(const char* name) const
    {
        if (m_module == nullptr)
            return nullptr;
        return reinterpret_cast<Function>(::GetProcAddress(m_module, name));
    }

private:
    HMODULE m_module;
};

using LoadUserProfileFunction = BOOL(WINAPI*)(HANDLE, PROFILEINFOA*);
using UnloadUserProfileFunction = BOOL(WINAPI*)(HANDLE, HANDLE);
using CreateEnvironmentBlockFunction = BOOL(WINAPI*)(void**, HANDLE, BOOL);
using DestroyEnvironmentBlockFunction = BOOL(WINAPI*)(void*);

class SystemAccounts final : public AccountApi {
public:
    DWORD LogOn(const CString& user, const CString& domain, const CString& password, HANDLE* token) override
    {
        *token = nullptr;
        if (!::LogonUserA(user, domain.IsEmpty() ? nullptr : static_cast<const char*>(domain), password,
                          LOGON32_LOGON_INTERACTIVE, LOGON32_PROVIDER_DEFAULT, token))
            return LastErrorOr(ERROR_LOGON_FAILURE);
        return ERROR_SUCCESS;
    }

    void CloseToken(HANDLE token) override { ::CloseHandle(token); }

    DWORD ReadAccountName(HANDLE token, CString* name, CString* domain) override
    {
        std::vector<BYTE> user;
        if (DWORD error = ReadTokenInformation(token, TokenUser, &user))
            return error;
        char name_buffer[256] = {};
        char domain_buffer[256] = {};
        DWORD name_length = 255;
        DWORD domain_length = 255;
        SID_NAME_USE use = SidTypeUnknown;
        if (!::LookupAccountSidA(nullptr, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, name_buffer,
                                 &name_length, domain_buffer, &domain_length, &use))
            return LastErrorOr(ERROR_NONE_MAPPED);
        *name = name_buffer;
        *domain = domain_buffer;
        return ERROR_SUCCESS;
    }

    DWORD ReadTokenGroups(HANDLE token, std::vector<BYTE>* groups) override
    {
        return ReadTokenInformation(token, TokenGroups, groups);
    }

    DWORD LoadProfile(HANDLE token, PROFILEINFOA* profile) override
    {
        UserEnvLibrary userenv;
        auto load = userenv.Find<LoadUserProfileFunction>("LoadUserProfileA");
        if (load == nullptr)
            return ERROR_SUCCESS;
        if (!load(token, profile))
            return LastErrorOr(ERROR_CANTOPEN);
        return ERROR_SUCCESS;
    }

    void UnloadProfile(HANDLE token, HANDLE profile_key) override
    {
        UserEnvLibrary userenv;
        if (auto unload = userenv.Find<UnloadUserProfileFunction>("UnloadUserProfile"))
            unload(token, profile_key);
    }

    DWORD CreateEnvironment(HANDLE token, void** block) override
    {
        *block = nullptr;
        UserEnvLibrary userenv;
        auto create = userenv.Find<CreateEnvironmentBlockFunction>("CreateEnvironmentBlock");
        if (create == nullptr)
            return ERROR_PROC_NOT_FOUND;
        if (!create(block, token, FALSE))
            return LastErrorOr(ERROR_NOT_ENOUGH_MEMORY);
        return ERROR_SUCCESS;
    }

    void DestroyEnvironment(void* block) override
    {
        UserEnvLibrary userenv;
        if (auto destroy = userenv.Find<DestroyEnvironmentBlockFunction>("DestroyEnvironmentBlock"))
            destroy(block);
    }

    DWORD Impersonate(HANDLE token) override
    {
        if (!::ImpersonateLoggedOnUser(token))
            return LastErrorOr(ERROR_CANNOT_IMPERSONATE);
        return ERROR_SUCCESS;
    }

    void Revert() override { ::RevertToSelf(); }

    DWORD ReadDacl(HANDLE object, std::vector<BYTE>* descriptor) override
    {
        SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
        DWORD needed = 0;
        descriptor->clear();
        if (::GetUserObjectSecurity(object, &what, nullptr, 0, &needed))
            return ERROR_SUCCESS;  // nothing to read: no access list
        const DWORD error = ::GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER)
            return error;
        descriptor->assign(needed, 0);
        if (!::GetUserObjectSecurity(object, &what, descriptor->data(), needed, &needed))
            return LastErrorOr(ERROR_ACCESS_DENIED);
        return ERROR_SUCCESS;
    }

    DWORD WriteDacl(HANDLE object, ACL* dacl) override
    {
        SECURITY_DESCRIPTOR descriptor;
        if (!::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
            !::SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE))
            return LastErrorOr(ERROR_INVALID_SECURITY_DESCR);
        SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
        if (!::SetUserObjectSecurity(object, &what, &descriptor))
            return LastErrorOr(ERROR_ACCESS_DENIED);
        return ERROR_SUCCESS;
    }

private:
    static DWORD ReadTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, std::vector<BYTE>* data)
    {
        DWORD needed = 0;
        data->clear();
        if (!::GetTokenInformation(token, kind, nullptr, 0, &needed) &&
            ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return ::GetLastError();
        data->assign(needed, 0);
        if (!::GetTokenInformation(token, kind, data->data(), needed, &needed))
            return LastErrorOr(ERROR_INVALID_HANDLE);
        return ERROR_SUCCESS;
    }
};

}  // namespace

AccountApi& SystemAccountApi()
{
    static SystemAccounts accounts;
    return accounts;
}
