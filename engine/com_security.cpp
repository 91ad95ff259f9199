#include "engine/com_security.h"

#include <vector>

#include "platform/com/handle.h"
#include "task/shared/windows_version.h"

namespace {

// The thread's token when it impersonates, else the process's.
tvx::com::Handle OpenCallerToken()
{
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return tvx::com::Handle(token);
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return tvx::com::Handle(token);
    return tvx::com::Handle();
}

std::vector<BYTE> TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind)
{
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, kind, buffer.data(), size, &size))
        buffer.clear();
    return buffer;
}

}  // namespace

HRESULT InitializeEngineComSecurity()
{
    if (!IsWindowsNT())
        return S_OK;

    // Owner and group from the token; no access list, so that every caller
    // is let in.
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION))
        return HRESULT_FROM_WIN32(GetLastError());
    tvx::com::Handle token = OpenCallerToken();
    std::vector<BYTE> owner;
    std::vector<BYTE> group;
    if (token) {
        owner = TokenInformation(token.Get(), TokenUser);
        group = TokenInformation(token.Get(), TokenPrimaryGroup);
    }
    if (!owner.empty())
        SetSecurityDescriptorOwner(&descriptor, reinterpret_cast<TOKEN_USER*>(owner.data())->User.Sid, FALSE);
    if (!group.empty())
        SetSecurityDescriptorGroup(&descriptor, reinterpret_cast<TOKEN_PRIMARY_GROUP*>(group.data())->PrimaryGroup,
                                   FALSE);
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE))
        return HRESULT_FROM_WIN32(GetLastError());

    return CoInitializeSecurity(&descriptor, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}
