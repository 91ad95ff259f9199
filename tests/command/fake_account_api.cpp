#include "fake_account_api.h"

#include <sddl.h>

namespace {

HANDLE const kToken = reinterpret_cast<HANDLE>(0x7001);
HANDLE const kProfileKey = reinterpret_cast<HANDLE>(0x7002);

}  // namespace

const char FakeAccountApi::kLogonSid[] = "S-1-5-5-0-4242";

std::string SidText(PSID sid)
{
    char* text = nullptr;
    if (!::ConvertSidToStringSidA(sid, &text))
        return "?";
    std::string result = text;
    ::LocalFree(text);
    return result;
}

std::vector<BYTE> SidFromText(const std::string& text)
{
    PSID sid = nullptr;
    if (!::ConvertStringSidToSidA(text.c_str(), &sid))
        return {};
    const BYTE* bytes = static_cast<const BYTE*>(sid);
    std::vector<BYTE> result(bytes, bytes + ::GetLengthSid(sid));
    ::LocalFree(sid);
    return result;
}

std::vector<FakeAccountApi::Entry> FakeAccountApi::DefaultEntries()
{
    return {
        {ACCESS_ALLOWED_ACE_TYPE, GENERIC_READ, "S-1-1-0"},
        {ACCESS_DENIED_ACE_TYPE, GENERIC_ALL, "S-1-5-7"},
        {ACCESS_ALLOWED_ACE_TYPE, 0x000F01FF, "S-1-5-32-544"},
    };
}

HANDLE FakeAccountApi::Station()
{
    return ::GetProcessWindowStation();
}

HANDLE FakeAccountApi::Desktop()
{
    return ::GetThreadDesktop(::GetCurrentThreadId());
}

FakeAccountApi::FakeAccountApi()
{
    groups = {
        {"S-1-1-0", SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED},
        {"S-1-5-32-545", SE_GROUP_RESOURCE | SE_GROUP_ENABLED},
        {kLogonSid, SE_GROUP_LOGON_ID | SE_GROUP_MANDATORY | SE_GROUP_ENABLED},
        {"S-1-5-5-0-9999", SE_GROUP_LOGON_ID | SE_GROUP_ENABLED},
    };
    dacls[Station()] = DefaultEntries();
    dacls[Desktop()] = DefaultEntries();
}

std::string FakeAccountApi::ObjectName(HANDLE object)
{
    if (object == Station())
        return "station";
    if (object == Desktop())
        return "desktop";
    return "other";
}

DWORD FakeAccountApi::Record(const std::string& call)
{
    calls.push_back(call);
    if (on_call)
        on_call(call);
    const auto failure = failures.find(call);
    return failure == failures.end() ? ERROR_SUCCESS : failure->second;
}

DWORD FakeAccountApi::LogOn(const CString& user, const CString& domain, const CString& password, HANDLE* token)
{
    logon_user = user;
    logon_domain = domain;
    logon_password = password;
    const DWORD error = Record("LogOn");
    *token = error == ERROR_SUCCESS ? kToken : nullptr;
    return error;
}

void FakeAccountApi::CloseToken(HANDLE token)
{
    Record(token == kToken ? "CloseToken" : "CloseToken of a strange handle");
}

DWORD FakeAccountApi::ReadAccountName(HANDLE token, CString* name, CString* domain)
{
    const DWORD error = Record("ReadAccountName");
    if (error == ERROR_SUCCESS) {
        *name = "bob";
        *domain = "CORP";
    }
    return error;
}

DWORD FakeAccountApi::ReadTokenGroups(HANDLE token, std::vector<BYTE>* out)
{
    const DWORD error = Record("ReadTokenGroups");
    if (error != ERROR_SUCCESS)
        return error;
    std::vector<std::vector<BYTE>> sids;
    size_t size = offsetof(TOKEN_GROUPS, Groups) + sizeof(SID_AND_ATTRIBUTES) * (groups.size() + 1);
    for (const Group& group : groups) {
        sids.push_back(SidFromText(group.sid));
        size += sids.back().size();
    }
    out->assign(size, 0);
    auto* record = reinterpret_cast<TOKEN_GROUPS*>(out->data());
    record->GroupCount = static_cast<DWORD>(groups.size());
    BYTE* next = out->data() + offsetof(TOKEN_GROUPS, Groups) + sizeof(SID_AND_ATTRIBUTES) * (groups.size() + 1);
    for (size_t i = 0; i < groups.size(); ++i) {
        memcpy(next, sids[i].data(), sids[i].size());
        record->Groups[i].Sid = next;
        record->Groups[i].Attributes = groups[i].attributes;
        next += sids[i].size();
    }
    return ERROR_SUCCESS;
}

DWORD FakeAccountApi::LoadProfile(HANDLE token, PROFILEINFOA* profile)
{
    profile_user = profile->lpUserName != nullptr ? profile->lpUserName : "(none)";
    const DWORD error = Record("LoadProfile");
    if (error == ERROR_SUCCESS && !profile_function_missing)
        profile->hProfile = kProfileKey;
    return error;
}

void FakeAccountApi::UnloadProfile(HANDLE token, HANDLE profile_key)
{
    Record(profile_key == kProfileKey ? "UnloadProfile" : "UnloadProfile of a strange key");
}

DWORD FakeAccountApi::CreateEnvironment(HANDLE token, void** block)
{
    const DWORD error = Record("CreateEnvironment");
    *block = error == ERROR_SUCCESS ? m_environment : nullptr;
    return error;
}

void FakeAccountApi::DestroyEnvironment(void* block)
{
    Record(block == m_environment ? "DestroyEnvironment" : "DestroyEnvironment of a strange block");
}

DWORD FakeAccountApi::Impersonate(HANDLE token)
{
    return Record("Impersonate");
}

void FakeAccountApi::Revert()
{
    Record("Revert");
}

DWORD FakeAccountApi::ReadDacl(HANDLE object, std::vector<BYTE>* descriptor)
{
    const DWORD error = Record("ReadDacl " + ObjectName(object));
    if (error != ERROR_SUCCESS)
        return error;
    SECURITY_DESCRIPTOR absolute;
    ::InitializeSecurityDescriptor(&absolute, SECURITY_DESCRIPTOR_REVISION);
    std::vector<BYTE> acl_bytes;
    const auto found = dacls.find(object);
    if (found != dacls.end()) {
        acl_bytes.assign(1024, 0);
        ACL* acl = reinterpret_cast<ACL*>(acl_bytes.data());
        ::InitializeAcl(acl, 1024, ACL_REVISION);
        for (const Entry& entry : found->second) {
            std::vector<BYTE> sid = SidFromText(entry.sid);
            if (entry.type == ACCESS_ALLOWED_ACE_TYPE)
                ::AddAccessAllowedAce(acl, ACL_REVISION, entry.mask, sid.data());
            else
                ::AddAccessDeniedAce(acl, ACL_REVISION, entry.mask, sid.data());
        }
        ::SetSecurityDescriptorDacl(&absolute, TRUE, acl, FALSE);
    }
    DWORD size = 0;
    ::MakeSelfRelativeSD(&absolute, nullptr, &size);
    descriptor->assign(size, 0);
    if (!::MakeSelfRelativeSD(&absolute, descriptor->data(), &size))
        return ::GetLastError();
    return ERROR_SUCCESS;
}

DWORD FakeAccountApi::WriteDacl(HANDLE object, ACL* dacl)
{
    const DWORD error = Record("WriteDacl " + ObjectName(object));
    if (error != ERROR_SUCCESS)
        return error;
    std::vector<Entry> entries;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ::GetAce(dacl, i, &ace);
        const auto* header = static_cast<ACE_HEADER*>(ace);
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);  // same layout as a denied entry
        entries.push_back({header->AceType, allowed->Mask, SidText(const_cast<DWORD*>(&allowed->SidStart))});
    }
    dacls[object] = entries;
    return ERROR_SUCCESS;
}
