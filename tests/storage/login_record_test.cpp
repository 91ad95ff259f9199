// The login record and the account scrambling both stored records use.
#include <gtest/gtest.h>

#include <string>

#include "record_stream.h"
#include "storage/account_scrambling.h"
#include "storage/network_login_info.h"

namespace {

std::string Text(const CString& text)
{
    return std::string(static_cast<const char*>(text), static_cast<size_t>(text.GetLength()));
}

CString FromBytes(const std::string& text)
{
    return CString(text.data(), static_cast<int>(text.size()));
}

TEST(AccountScrambling, ShiftIsASmallConstant)
{
    EXPECT_GE(kAccountScrambleShift, 1);
    EXPECT_LE(kAccountScrambleShift, 10);
}

TEST(AccountScrambling, EveryByteOutsideTwoKToThreeKComesBack)
{
    for (int shift = 1; shift <= 10; ++shift) {
        for (int c = 0; c <= 255; ++c) {
            const CString one(static_cast<char>(c), 1);
            const CString scrambled = ScrambleAccountText(one, shift);
            ASSERT_EQ(scrambled.GetLength(), 1);
            const CString back = UnscrambleAccountText(scrambled, shift);
            const bool comesBack = back == one;
            const bool lost = c >= 2 * shift && c <= 3 * shift;
            EXPECT_EQ(comesBack, !lost) << "shift " << shift << ", byte " << c;
        }
    }
}

TEST(AccountScrambling, ScramblesByTheShiftDownwardsAndWrapsSmallValuesUpwards)
{
    const int k = kAccountScrambleShift;
    const std::string plain = {static_cast<char>(0), 'A', static_cast<char>(0xE9)};
    const std::string expected = {static_cast<char>(k), static_cast<char>('A' - k), static_cast<char>(0xE9 - k)};
    EXPECT_EQ(Text(ScrambleAccountText(FromBytes(plain), k)), expected);
    EXPECT_EQ(Text(UnscrambleAccountText(FromBytes(expected), k)), plain);
}

TEST(LoginRecord, StreamHoldsVersionPlainTextsAndScrambledAccount)
{
    CNetworkLoginInfo login;
    login.SetDescription("Office");
    login.SetDomain("CORP");
    login.SetLoginName("jsmith");
    login.SetPassword("Pa55word");
    const Bytes stored = StoreRecord(login);
    const Bytes expected = {0x01, 0x00, 0x00, 0x00, 0x06, 'O', 'f', 'f', 'i', 'c', 'e', 0x04, 'C', 'O', 'R', 'P',
                            0x06, 0x69, 0x72, 0x6C, 0x68, 0x73, 0x67,
                            0x08, 0x4F, 0x60, 0x34, 0x34, 0x76, 0x6E, 0x71, 0x63};
    EXPECT_EQ(stored, expected) << HexOf(stored);
}

TEST(LoginRecord, WrittenAndReadBackGivesTheSameFourTexts)
{
    std::string every;
    for (int c = 0x20; c <= 0xFF; ++c)
        every += static_cast<char>(c);
    const std::string cases[][4] = {
        {"Office", "CORP", "jsmith", "Pa55word"},
        {"", "", "", ""},
        {"Backup account", "", "backup", ""},
        {every, every, every, every},
    };
    for (const auto& c : cases) {
        CNetworkLoginInfo login;
        login.SetDescription(FromBytes(c[0]));
        login.SetDomain(FromBytes(c[1]));
        login.SetLoginName(FromBytes(c[2]));
        login.SetPassword(FromBytes(c[3]));
        CNetworkLoginInfo loaded;
        ASSERT_EQ(LoadRecord(loaded, StoreRecord(login)), RecordLoad::loaded);
        EXPECT_EQ(Text(loaded.GetDescription()), c[0]);
        EXPECT_EQ(Text(loaded.GetDomain()), c[1]);
        EXPECT_EQ(Text(loaded.GetLoginName()), c[2]);
        EXPECT_EQ(Text(loaded.GetPassword()), c[3]);
    }
}

TEST(LoginRecord, ResetEmptiesTheFourTexts)
{
    CNetworkLoginInfo login;
    login.SetDescription("a");
    login.SetDomain("b");
    login.SetLoginName("c");
    login.SetPassword("d");
    login.Reset();
    EXPECT_TRUE(login.GetDescription().IsEmpty());
    EXPECT_TRUE(login.GetDomain().IsEmpty());
    EXPECT_TRUE(login.GetLoginName().IsEmpty());
    EXPECT_TRUE(login.GetPassword().IsEmpty());
}

}  // namespace
