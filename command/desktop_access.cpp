#include "command/desktop_access.h"

#include <algorithm>

#include "command/account_api.h"

namespace {

// Everything an access list needs to be copied entry by entry.
DWORD NewAclLike(const ACL& old_dacl, DWORD size, std::vector<BYTE>* new_dacl)
{
    new_dacl->assign(size, 0);
    const DWORD revision = std::max<DWORD>(old_dacl.AclRevision, ACL_REVISION);
    if (!::InitializeAcl(reinterpret_cast<ACL*>(new_dacl->data()), size, revision))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

DWORD CopyAce(ACE_HEADER* ace, std::vector<BYTE>* new_dacl)
{
    ACL* acl = reinterpret_cast<ACL*>(new_dacl->data());
    if (!::AddAce(acl, acl->AclRevision, MAXDWORD, ace, ace->AceSize))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

bool IsAllowedAceFor(const ACE_HEADER* ace, PSID sid)
{
    if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE)
        return false;
    const auto* allowed = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(ace);
    return ::EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid) != FALSE;
}

// The access list of a self-relative descriptor; null when it has none.
ACL* DaclOf(std::vector<BYTE>& descriptor)
{
    if (descriptor.empty())
        return nullptr;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    ACL* dacl = nullptr;
    if (!::GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted) || !present)
        return nullptr;
    return dacl;
}

enum class Change { kGrant, kWithdraw };

DWORD ChangeAccess(AccountApi& api, HWINSTA station, HDESK desktop, PSID sid, Change change)
{
    struct Target {
        HANDLE object;
        DWORD mask;
        std::vector<BYTE> descriptor;
        std::vector<BYTE> new_dacl;
    };
    Target targets[] = {
        {desktop, kDesktopAccessMask, {}, {}},
        {station, kWindowStationAccessMask, {}, {}},
    };
    for (Target& target : targets) {
        if (DWORD error = api.ReadDacl(target.object, &target.descriptor))
            return error;
        ACL* dacl = DaclOf(target.descriptor);
        if (dacl == nullptr)
            continue;
        const DWORD error = change == Change::kGrant
                                ? BuildGrantedDacl(*dacl, sid, target.mask, &target.new_dacl)
                                : BuildWithdrawnDacl(*dacl, sid, &target.new_dacl);
        if (error != ERROR_SUCCESS)
            return error;
    }
    for (Target& target : targets) {
        if (target.new_dacl.empty())
            continue;
        if (DWORD error = api.WriteDacl(target.object, reinterpret_cast<ACL*>(target.new_dacl.data())))
            return error;
    }
    return ERROR_SUCCESS;
}

}  // namespace

std::vector<BYTE> FindLogonSid(const std::vector<BYTE>& token_groups)
{
    if (token_groups.size() < sizeof(TOKEN_GROUPS))
        return {};
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(token_groups.data());
    const size_t room = (token_groups.size() - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
    const DWORD count = std::min<size_t>(groups->GroupCount, room);
    for (DWORD i = 0; i < count; ++i) {
        const SID_AND_ATTRIBUTES& group = groups->Groups[i];
        // The logon identifier mark sits in the attributes' high byte.
        if ((group.Attributes >> 24) < 0x40 || !::IsValidSid(group.Sid))
            continue;
        const BYTE* sid = static_cast<const BYTE*>(group.Sid);
        return std::vector<BYTE>(sid, sid + ::GetLengthSid(group.Sid));
    }
    return {};
}

DWORD BuildGrantedDacl(const ACL& old_dacl, PSID sid, DWORD mask, std::vector<BYTE>* new_dacl)
{
    const DWORD entry_size = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + ::GetLengthSid(sid);
    if (DWORD error = NewAclLike(old_dacl, old_dacl.AclSize + entry_size, new_dacl))
        return error;
    ACL* old_acl = const_cast<ACL*>(&old_dacl);
    for (DWORD i = 0; i < old_dacl.AceCount; ++i) {
        void* ace = nullptr;
        if (!::GetAce(old_acl, i, &ace))
            return ::GetLastError();
        if (DWORD error = CopyAce(static_cast<ACE_HEADER*>(ace), new_dacl))
            return error;
    }
    ACL* acl = reinterpret_cast<ACL*>(new_dacl->data());
    if (!::AddAccessAllowedAce(acl, acl->AclRevision, mask, sid))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

DWORD BuildWithdrawnDacl(const ACL& old_dacl, PSID sid, std::vector<BYTE>* new_dacl)
{
    // Sized for what is kept rather than the old size less one entry, so that
    // a list holding the entry twice, or not at all, still fits.
    ACL* old_acl = const_cast<ACL*>(&old_dacl);
    std::vector<ACE_HEADER*> kept;
    DWORD size = sizeof(ACL);
    for (DWORD i = 0; i < old_dacl.AceCount; ++i) {
        void* ace = nullptr;
        if (!::GetAce(old_acl, i, &ace))
            return ::GetLastError();
        auto* header = static_cast<ACE_HEADER*>(ace);
        if (IsAllowedAceFor(header, sid))
            continue;
        kept.push_back(header);
        size += header->AceSize;
    }
    if (DWORD error = NewAclLike(old_dacl, size, new_dacl))
        return error;
    for (ACE_HEADER* ace : kept) {
        if (DWORD error = CopyAce(ace, new_dacl))
            return error;
    }
    return ERROR_SUCCESS;
}

DWORD GrantDesktopAccess(AccountApi& api, HWINSTA station, HDESK desktop, PSID sid)
{
    return ChangeAccess(api, station, desktop, sid, Change::kGrant);
}

DWORD WithdrawDesktopAccess(AccountApi& api, HWINSTA station, HDESK desktop, PSID sid)
{
    return ChangeAccess(api, station, desktop, sid, Change::kWithdraw);
}
