// Finding the logon SID of a token and building the access lists that grant
// it the desktop and take the grant back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/desktop_access.h"
#include "fake_account_api.h"

namespace {

using Entry = FakeAccountApi::Entry;

std::vector<BYTE> AclOf(const std::vector<Entry>& entries)
{
    std::vector<BYTE> bytes(2048, 0);
    ACL* acl = reinterpret_cast<ACL*>(bytes.data());
    ::InitializeAcl(acl, static_cast<DWORD>(bytes.size()), ACL_REVISION);
    for (const Entry& entry : entries) {
        std::vector<BYTE> sid = SidFromText(entry.sid);
        if (entry.type == ACCESS_ALLOWED_ACE_TYPE)
            ::AddAccessAllowedAce(acl, ACL_REVISION, entry.mask, sid.data());
        else
            ::AddAccessDeniedAce(acl, ACL_REVISION, entry.mask, sid.data());
    }
    return bytes;
}

std::vector<Entry> EntriesOf(const std::vector<BYTE>& bytes)
{
    std::vector<Entry> entries;
    ACL* acl = reinterpret_cast<ACL*>(const_cast<BYTE*>(bytes.data()));
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* ace = nullptr;
        ::GetAce(acl, i, &ace);
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        entries.push_back(
            {allowed->Header.AceType, allowed->Mask, SidText(const_cast<DWORD*>(&allowed->SidStart))});
    }
    return entries;
}

std::vector<BYTE> GroupsOf(const std::vector<FakeAccountApi::Group>& groups)
{
    FakeAccountApi accounts;
    accounts.groups = groups;
    std::vector<BYTE> bytes;
    accounts.ReadTokenGroups(nullptr, &bytes);
    return bytes;
}

struct LogonSidCase {
    const char* name;
    std::vector<FakeAccountApi::Group> groups;
    const char* logon_sid;  // empty: none
};

void PrintTo(const LogonSidCase& c, std::ostream* os) { *os << c.name; }

class FindLogonSidTest : public ::testing::TestWithParam<LogonSidCase> {};

TEST_P(FindLogonSidTest, TakesTheFirstGroupMarkedInTheHighAttributeByte)
{
    const std::vector<BYTE> sid = FindLogonSid(GroupsOf(GetParam().groups));
    EXPECT_EQ(GetParam().logon_sid, sid.empty() ? std::string() : SidText(const_cast<BYTE*>(sid.data())));
}

INSTANTIATE_TEST_SUITE_P(
    Groups, FindLogonSidTest,
    ::testing::Values(
        LogonSidCase{"FirstOfTwoLogonIds",
                     {{"S-1-1-0", 7}, {"S-1-5-5-0-1", SE_GROUP_LOGON_ID}, {"S-1-5-5-0-2", SE_GROUP_LOGON_ID}},
                     "S-1-5-5-0-1"},
        LogonSidCase{"MarkBitAloneCounts", {{"S-1-1-0", 7}, {"S-1-5-5-0-3", 0x40000000}}, "S-1-5-5-0-3"},
        LogonSidCase{"ResourceGroupIsNotALogonId",
                     {{"S-1-5-32-545", SE_GROUP_RESOURCE | 7}, {"S-1-5-5-0-4", SE_GROUP_LOGON_ID | 7}},
                     "S-1-5-5-0-4"},
        LogonSidCase{"NoLogonId", {{"S-1-1-0", 7}, {"S-1-5-32-545", SE_GROUP_RESOURCE}}, ""},
        LogonSidCase{"NoGroups", {}, ""}));

TEST(FindLogonSidTest, TruncatedRecordGivesNone)
{
    std::vector<BYTE> groups = GroupsOf({{"S-1-5-5-0-1", SE_GROUP_LOGON_ID}});
    groups.resize(6);
    EXPECT_TRUE(FindLogonSid(groups).empty());
}

const std::vector<Entry> kOriginal = {
    {ACCESS_ALLOWED_ACE_TYPE, GENERIC_READ, "S-1-1-0"},
    {ACCESS_DENIED_ACE_TYPE, GENERIC_ALL, "S-1-5-5-0-7"},
    {ACCESS_ALLOWED_ACE_TYPE, 0x1F01FF, "S-1-5-32-544"},
};

TEST(DesktopAccessTest, GrantAppendsOneAllowedEntryAfterTheOldOnes)
{
    const std::vector<BYTE> old_acl = AclOf(kOriginal);
    std::vector<BYTE> sid = SidFromText("S-1-5-5-0-7");
    std::vector<BYTE> granted;
    ASSERT_EQ(ERROR_SUCCESS, BuildGrantedDacl(*reinterpret_cast<const ACL*>(old_acl.data()), sid.data(),
                                              kDesktopAccessMask, &granted));
    std::vector<Entry> expected = kOriginal;
    expected.push_back({ACCESS_ALLOWED_ACE_TYPE, 0xC0020147, "S-1-5-5-0-7"});
    EXPECT_EQ(expected, EntriesOf(granted));
}

TEST(DesktopAccessTest, WithdrawRemovesEveryAllowedEntryOfTheSidAndKeepsItsDenials)
{
    std::vector<Entry> entries = kOriginal;
    entries.insert(entries.begin(), {ACCESS_ALLOWED_ACE_TYPE, 0xC0020167, "S-1-5-5-0-7"});
    entries.push_back({ACCESS_ALLOWED_ACE_TYPE, 0xC0020147, "S-1-5-5-0-7"});
    const std::vector<BYTE> old_acl = AclOf(entries);
    std::vector<BYTE> sid = SidFromText("S-1-5-5-0-7");
    std::vector<BYTE> withdrawn;
    ASSERT_EQ(ERROR_SUCCESS,
              BuildWithdrawnDacl(*reinterpret_cast<const ACL*>(old_acl.data()), sid.data(), &withdrawn));
    EXPECT_EQ(kOriginal, EntriesOf(withdrawn));
}

TEST(DesktopAccessTest, WithdrawOfAnAbsentSidKeepsTheList)
{
    const std::vector<BYTE> old_acl = AclOf(kOriginal);
    std::vector<BYTE> sid = SidFromText("S-1-5-5-0-99");
    std::vector<BYTE> withdrawn;
    ASSERT_EQ(ERROR_SUCCESS,
              BuildWithdrawnDacl(*reinterpret_cast<const ACL*>(old_acl.data()), sid.data(), &withdrawn));
    EXPECT_EQ(kOriginal, EntriesOf(withdrawn));
}

}  // namespace
