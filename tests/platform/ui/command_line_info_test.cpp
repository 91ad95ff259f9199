#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/command_line_info.h"

namespace {

struct Param {
    std::string text;
    bool flag;
    bool last;
    bool operator==(const Param& other) const
    {
        return text == other.text && flag == other.flag && last == other.last;
    }
};

void PrintTo(const Param& p, std::ostream* out)
{
    *out << "{\"" << p.text << "\", " << (p.flag ? "flag" : "word") << (p.last ? ", last}" : "}");
}

class RecordingInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* param, BOOL flag, BOOL last) override
    {
        params.push_back({param, flag != FALSE, last != FALSE});
    }
    std::vector<Param> params;
};

struct WordsCase {
    const char* name;
    std::vector<const char*> words;
    std::vector<Param> expected;
};

void PrintTo(const WordsCase& c, std::ostream* out)
{
    *out << c.name;
}

class CommandLineWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(CommandLineWords, FlagsLoseTheirSlashOrDashAndTheLastWordIsMarked)
{
    RecordingInfo info;
    ParseCommandLineWords(info, static_cast<int>(GetParam().words.size()), GetParam().words.data());
    EXPECT_EQ(info.params, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineWords,
    ::testing::Values(
        WordsCase{"NoWords", {}, {}},
        WordsCase{"OnePlainWord", {"a"}, {{"a", false, true}}},
        WordsCase{"SlashFlag", {"/t", "SHUTDOWN"}, {{"t", true, false}, {"SHUTDOWN", false, true}}},
        WordsCase{"DashFlag", {"-w", "10"}, {{"w", true, false}, {"10", false, true}}},
        WordsCase{"BareSlash", {"/"}, {{"", true, true}}},
        WordsCase{"BareDash", {"-"}, {{"", true, true}}},
        WordsCase{"OnlyTheFirstCharacterMarksAFlag", {"a-b", "/c/d", "--x"},
                  {{"a-b", false, false}, {"c/d", true, false}, {"-x", true, true}}},
        WordsCase{"BackslashAndEmptyWords", {"\\t", ""}, {{"\\t", false, false}, {"", false, true}}}),
    [](const ::testing::TestParamInfo<WordsCase>& info) { return std::string(info.param.name); });

TEST(CommandLine, ApplicationHandsOnEveryArgumentAfterTheProgramName)
{
    CWinApp app("Command Line Test");
    RecordingInfo info;
    app.ParseCommandLine(info);

    // CTest starts every case with at least its --gtest_filter argument.
    ASSERT_GT(__argc, 1);
    ASSERT_EQ(info.params.size(), static_cast<size_t>(__argc - 1));
    for (int i = 1; i < __argc; ++i) {
        const std::string word = __argv[i];
        const bool flag = word[0] == '/' || word[0] == '-';
        EXPECT_EQ(info.params[i - 1], (Param{flag ? word.substr(1) : word, flag, i == __argc - 1}));
    }
}

}  // namespace

namespace {

TEST(CommandLine, TheBaseKeepsTheFirstPlainWordAsTheFileToOpenAndComStartsWithoutSplash)
{
    struct Case {
        const char* name;
        std::vector<const char*> words;
        const char* file;
        int command;
        BOOL splash;
    };
    const Case cases[] = {
        {"Nothing", {}, "", CCommandLineInfo::FileNew, TRUE},
        {"OneFile", {"tasks.tsk"}, "tasks.tsk", CCommandLineInfo::FileOpen, TRUE},
        {"FlagsAreNotFiles", {"/h", "-d:5"}, "", CCommandLineInfo::FileNew, TRUE},
        {"FirstFileWins", {"a.tsk", "b.tsk"}, "a.tsk", CCommandLineInfo::FileOpen, TRUE},
        {"Embedding", {"-Embedding"}, "", CCommandLineInfo::FileNew, FALSE},
        {"AutomationAnyCase", {"/AUTOMATION"}, "", CCommandLineInfo::FileNew, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCommandLineInfo info;
        ParseCommandLineWords(info, static_cast<int>(c.words.size()), c.words.data());
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_EQ(info.m_nShellCommand, c.command);
        EXPECT_EQ(info.m_bShowSplash, c.splash);
    }
}

}  // namespace
