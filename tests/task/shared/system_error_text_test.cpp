#include "task/shared/system_error_text.h"

#include "task/shared/system_error_table.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct ErrorTextCase {
    DWORD code;
    const char* expected;
};

TEST(SystemErrorText, LastErrorGivesCodeAndStandardEnglishText)
{
    const ErrorTextCase cases[] = {
        {2, "Error code 2\nThe system cannot find the file specified."},
        {3, "Error code 3\nThe system cannot find the path specified."},
        {5, "Error code 5\nAccess is denied."},
        {32, "Error code 32\nThe process cannot access the file because it is being used by another process."},
        {87, "Error code 87\nThe parameter is incorrect."},
        {1056, "Error code 1056\nAn instance of the service is already running."},
        {1060, "Error code 1060\nThe specified service does not exist as an installed service."},
        {1326, "Error code 1326\nLogon failure: unknown user name or bad password."},
        {1722, "Error code 1722\nThe RPC server is unavailable."},
        {6118, "Error code 6118\nThe list of servers for this workgroup is not currently available"},
    };
    for (const ErrorTextCase& c : cases) {
        SetLastError(c.code);
        EXPECT_EQ(c.expected, GetLastErrorText()) << "code " << c.code;
    }
}

TEST(SystemErrorText, CodeWithoutTextGivesDescriptionNotFound)
{
    const ErrorTextCase cases[] = {
        {35, "Error code 35\nDescription not found"},
        {6119, "Error code 6119\nDescription not found"},
        {123456, "Error code 123456\nDescription not found"},
        {0x80004005, "Error code -2147467259\nDescription not found"},
    };
    for (const ErrorTextCase& c : cases) {
        SetLastError(c.code);
        EXPECT_EQ(c.expected, GetLastErrorText()) << "code " << c.code;
    }
}

TEST(SystemErrorText, NoErrorGivesCodeZeroAndEmptyText)
{
    SetLastError(0);
    EXPECT_EQ("Error code 0\n", GetLastErrorText());
}

TEST(SystemErrorText, LeavesTheLastErrorAsItFoundIt)
{
    SetLastError(1053);
    GetLastErrorText();
    EXPECT_EQ(1053u, GetLastError());
}

// The lookup is a binary search: an out-of-order or repeated row would hide
// texts, and every code must lie in the platform's range.
TEST(SystemErrorText, TableIsStrictlyAscendingWithinRangeAndTextsAreClean)
{
    ASSERT_GT(kSystemErrorTextCount, 0u);
    for (std::size_t i = 0; i < kSystemErrorTextCount; ++i) {
        const SystemErrorTextRow& row = kSystemErrorTexts[i];
        EXPECT_LE(row.code, 6118u);
        if (i > 0) {
            EXPECT_LT(kSystemErrorTexts[i - 1].code, row.code) << "row " << i;
        }
        const std::string text = row.text;
        EXPECT_FALSE(text.empty()) << "code " << row.code;
        EXPECT_EQ(std::string::npos, text.find_first_of("\r\n")) << "code " << row.code;
        EXPECT_NE(' ', text.back()) << "code " << row.code;
        EXPECT_EQ(text, FindSystemErrorText(row.code)) << "code " << row.code;
    }
}

}  // namespace
