// Profile values of the application in the registry.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/app.h"

namespace {

// The registry key of this test run's profile, removed afterwards.
const char kKey[] = "SOFTWARE\\Quenfield Test\\Tarvex\\";
const char kRoot[] = "Software\\SOFTWARE\\Quenfield Test";

class ProfileTest : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
};

std::string RawString(const char* path, const char* name)
{
    char buffer[256] = "";
    DWORD size = sizeof(buffer);
    if (::RegGetValueA(HKEY_CURRENT_USER, path, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return "(missing)";
    return buffer;
}

TEST_F(ProfileTest, ValuesLiveUnderSoftwareKeyProfileAndSectionAndReadBack)
{
    CWinApp app("Profile App");
    app.SetRegistryKey(kKey);
    EXPECT_STREQ(app.m_pszRegistryKey, kKey);
    EXPECT_STREQ(app.m_pszProfileName, "Profile App");
    // One backslash between the parts, whatever the key ends with.
    EXPECT_STREQ(app.GetSectionPath("Settings"),
                 "Software\\SOFTWARE\\Quenfield Test\\Tarvex\\Profile App\\Settings");

    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Tarvex"));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -3));
    BYTE bytes[] = {1, 0, 255, 7};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", bytes, sizeof(bytes)));
    EXPECT_TRUE(app.WriteProfileString("Tips", "Empty", ""));

    // Where the system sees them.
    EXPECT_EQ(RawString("Software\\SOFTWARE\\Quenfield Test\\Tarvex\\Profile App\\Settings", "Name"), "Tarvex");

    struct StringCase {
        const char* section;
        const char* entry;
        const char* fallback;
        const char* expected;
    };
    const StringCase strings[] = {{"Settings", "Name", "x", "Tarvex"},
                                  {"Settings", "Missing", "fallback", "fallback"},
                                  {"Missing", "Name", nullptr, ""},
                                  {"Tips", "Empty", "x", ""},
                                  // A number is not a string: the fallback.
                                  {"Settings", "Count", "not text", "not text"}};
    for (const StringCase& c : strings) {
        SCOPED_TRACE(std::string(c.section) + "\\" + c.entry);
        EXPECT_STREQ(app.GetProfileString(c.section, c.entry, c.fallback), c.expected);
    }
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Count", 9)), -3);
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 9), 9u);
    // A string is not a number: the fallback.
    EXPECT_EQ(app.GetProfileInt("Settings", "Name", 9), 9u);

    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &data, &size));
    std::unique_ptr<BYTE[]> owned(data);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), std::string(reinterpret_cast<char*>(bytes), 4));
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Name", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(ProfileTest, NullValueDeletesTheEntryAndNullEntryTheWholeSection)
{
    CWinApp app("Profile App");
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(app.WriteProfileString("Section", "A", "1"));
    ASSERT_TRUE(app.WriteProfileString("Section", "B", "2"));
    EXPECT_TRUE(app.WriteProfileString("Section", "A", nullptr));
    EXPECT_STREQ(app.GetProfileString("Section", "A", "gone"), "gone");
    EXPECT_STREQ(app.GetProfileString("Section", "B"), "2");
    // Deleting what is not there is no failure.
    EXPECT_TRUE(app.WriteProfileString("Section", "A", nullptr));
    EXPECT_TRUE(app.WriteProfileString("Section", nullptr, nullptr));
    EXPECT_STREQ(app.GetProfileString("Section", "B", "gone"), "gone");
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\SOFTWARE\\Quenfield Test\\Tarvex\\Profile App\\Section",
                              0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST_F(ProfileTest, WithoutARegistryKeyThereIsNoProfile)
{
    CWinApp app("No Profile");
    EXPECT_EQ(app.m_pszRegistryKey, nullptr);
    EXPECT_STREQ(app.GetSectionPath("Settings"), "");
    EXPECT_FALSE(app.WriteProfileString("Settings", "Name", "x"));
    EXPECT_FALSE(app.WriteProfileInt("Settings", "Count", 1));
    EXPECT_STREQ(app.GetProfileString("Settings", "Name", "default"), "default");
    EXPECT_EQ(app.GetProfileInt("Settings", "Count", 5), 5u);
}

}  // namespace
