// Parameters and names of the program commands: numbers, window-state words,
// quotes, and which names are programs, documents or shell targets.
#include "command/desktop/program_launch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "command/desktop/command_arguments.h"

namespace {

using desktop::CommandArguments;

TEST(CommandArguments, TextsAreCountedFromOneAndEmptyOutside)
{
    const std::vector<CString> parameters = {"first", "", " third"};
    const CommandArguments arguments(parameters);
    EXPECT_EQ(arguments.Count(), 3);
    EXPECT_STREQ(arguments.Text(1), "first");
    EXPECT_STREQ(arguments.Text(2), "");
    EXPECT_STREQ(arguments.Text(3), " third");
    EXPECT_STREQ(arguments.Text(0), "");
    EXPECT_STREQ(arguments.Text(4), "");
}

TEST(CommandArguments, NumbersAreTheLeadingDecimalInteger)
{
    const struct {
        const char* text;
        long number;
    } cases[] = {
        {"1500", 1500}, {"  -1", -1}, {"+7", 7},  {"12abc", 12},          {"abc", 0},
        {"", 0},        {"0x1F", 0},  {"010", 10}, {"99999999999999", LONG_MAX}, {"-99999999999999", LONG_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandArguments::LeadingNumber(c.text), c.number) << c.text;
}

TEST(ProgramNames, WindowStateWordsGiveTheirShowModes)
{
    EXPECT_EQ(desktop::ShowModeFromWord("Normal"), SW_SHOW);
    EXPECT_EQ(desktop::ShowModeFromWord(""), SW_SHOW);
    EXPECT_EQ(desktop::ShowModeFromWord("Maximized"), SW_SHOWMAXIMIZED);
    EXPECT_EQ(desktop::ShowModeFromWord("Minimized"), SW_MINIMIZE);
    EXPECT_EQ(desktop::ShowModeFromWord("Hidden"), SW_HIDE);
    // Words compare exactly; anything else shows normally.
    EXPECT_EQ(desktop::ShowModeFromWord("hidden"), SW_SHOW);
}

TEST(ProgramNames, QuotesAreStrippedAndAddedAroundBlanks)
{
    EXPECT_STREQ(desktop::StripQuotes("\"C:\\My Files\\a.txt\""), "C:\\My Files\\a.txt");
    EXPECT_STREQ(desktop::StripQuotes("'Title'"), "Title");
    EXPECT_STREQ(desktop::StripQuotes("\" padded \""), "padded");
    EXPECT_STREQ(desktop::StripQuotes("plain"), "plain");

    EXPECT_STREQ(desktop::QuoteIfBlank("C:\\My Files\\a.txt"), "\"C:\\My Files\\a.txt\"");
    EXPECT_STREQ(desktop::QuoteIfBlank(" \"C:\\My Files\\a.txt\" "), "\"C:\\My Files\\a.txt\"");
    EXPECT_STREQ(desktop::QuoteIfBlank("C:\\a.txt"), "C:\\a.txt");
}

struct NameCase {
    const char* name;
    bool document;
    bool shellTarget;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << '"' << c.name << '"';
}

class ProgramNameKinds : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProgramNameKinds, AreClassified)
{
    EXPECT_EQ(desktop::IsDocument(GetParam().name), GetParam().document);
    EXPECT_EQ(desktop::IsShellTarget(GetParam().name), GetParam().shellTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProgramNameKinds,
    ::testing::Values(NameCase{"notepad.exe", false, false}, NameCase{"C:\\Tools\\RUN.BAT", false, false},
                      NameCase{"edit.com", false, false}, NameCase{"calc", false, false},
                      NameCase{"name.", false, false}, NameCase{"\"C:\\My Files\\report.txt\"", true, false},
                      NameCase{"C:\\My Files\\report.txt", true, false}, NameCase{"C:\\v1.2\\tool", false, false},
                      // Programs with their arguments stay command lines.
                      NameCase{"notepad.exe C:\\notes.txt", false, false},
                      NameCase{"\"C:\\Program Files\\App\\app.exe\" /x data.txt", false, false},
                      NameCase{"C:\\Program Files\\App\\app.exe data.txt", false, false},
                      // Shell targets.
                      NameCase{"C:\\Links\\Editor.LNK", true, true}, NameCase{"\"C:\\Links\\Editor.lnk\"", true, true},
                      NameCase{"http://example.com/", false, true}, NameCase{"HTTP://example.com/a.htm", true, true},
                      NameCase{"ftp://example.com/a.zip", true, true}, NameCase{"https://example.com/", false, false}));

}  // namespace
