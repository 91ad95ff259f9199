// Which command a line runs, the parameter count each keyword demands, and
// what lines that run nothing report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/macro_command.h"

namespace {

constexpr int kAny = -1;

struct CountRule {
    const char* keyword;
    int min_count;
    int max_count;
    const char* message;
};

const CountRule kCountRules[] = {
    {"RunProgram", 1, kAny, "Invalid Number of Parameters"},
    {"RunDOSCommand", 1, kAny, "Invalid Number of Parameters"},
    {"DisplayMessage", 3, 3, "Wrong number of parameters"},
    {"SetActiveWindow", 1, 1, "Wrong number of parameters"},
    {"MaximizeWindow", 1, 1, "Wrong number of parameters"},
    {"MinimizeWindow", 1, 1, "Wrong number of parameters"},
    {"RestoreWindow", 1, 1, "Wrong number of parameters"},
    {"CloseWindow", 1, 1, "Wrong number of Parameters"},
    {"InputBox", 2, 2, "Wrong number of parameters"},
    {"MessageBox", 2, 2, "Wrong number of parameters"},
    {"Delay", 2, 2, "Wrong number of parameters"},
    {"WaitForProgram", 1, 1, "Wrong number of parameters"},
    {"SendKeysToWindow", 2, 2, "Wrong number of parameters"},
    {"SendKeysFromFile", 1, 1, "Wrong number of parameters"},
    // ShutDown, LogOff and ReBoot look for their helper before they count
    // (system command tests).
    {"DialUpConnect", 1, kAny, "Invalid Number of Parameters"},
    {"DialUpDisConnect", 1, 1, "Invalid Number of Parameters"},
    {"SendEMail", 3, kAny, "Wrong number of Parameters"},
    {"LogToFile", 2, 2, "Wrong number of Parameters"},
    {"QuitProgram", 1, kAny, "Wrong number of Parameters"},
    {"EnableTask", 1, 1, "Invalid Number of Parameters"},
    {"DisableTask", 1, 1, "Invalid Number of Parameters"},
    {"ResetTaskTrigger", 1, 1, "Invalid Number of Parameters"},
    {"RunTask", 1, 1, "Invalid Number of Parameters"},
};

std::string LineWithParameters(const char* keyword, int count)
{
    std::string line = std::string(keyword) + "(";
    for (int i = 0; i < count; ++i)
        line += i == 0 ? "p" : ",p";
    return line + ")";
}

struct LineOutcome {
    int result;
    std::string text;
};

LineOutcome RunLine(CMacroCommand& command, const std::string& line)
{
    command.ParseLine(line.c_str());
    const int result = command.ExecuteLine();
    return {result, static_cast<const char*>(command.GetLastErrorString())};
}

void PrintTo(const CountRule& rule, std::ostream* os) { *os << rule.keyword; }

class CountRuleTest : public ::testing::TestWithParam<CountRule> {};

TEST_P(CountRuleTest, WrongCountFailsWithTheKeywordsOwnMessage)
{
    const CountRule& rule = GetParam();
    CMacroCommand command;
    ASSERT_TRUE(command.IsDialUpAvailable()) << "this prefix is expected to have RASAPI32.DLL";
    std::vector<int> wrong_counts;
    if (rule.min_count > 0)
        wrong_counts.push_back(rule.min_count - 1);
    if (rule.max_count != kAny)
        wrong_counts.push_back(rule.max_count + 1);
    for (int count : wrong_counts) {
        const LineOutcome outcome = RunLine(command, LineWithParameters(rule.keyword, count));
        EXPECT_EQ(0, outcome.result) << rule.keyword << " with " << count;
        EXPECT_EQ(rule.message, outcome.text) << rule.keyword << " with " << count;
    }
}

// The dialog commands would show a real box here and wait for an answer;
// their dialogs are tested with the desktop commands. The task-control
// commands would start the engine when it is registered, under the feet of
// the engine's own tests; they are tested against a scheduler of their own.
std::vector<CountRule> RulesOfCommandsWithoutDialogs()
{
    std::vector<CountRule> rules;
    for (const CountRule& rule : kCountRules) {
        const std::string keyword = rule.keyword;
        if (keyword != "DisplayMessage" && keyword != "InputBox" && keyword != "MessageBox" &&
            keyword != "EnableTask" && keyword != "DisableTask" && keyword != "ResetTaskTrigger" &&
            keyword != "RunTask")
            rules.push_back(rule);
    }
    return rules;
}

class RightCountTest : public ::testing::TestWithParam<CountRule> {};

TEST_P(RightCountTest, RightCountReachesTheCommand)
{
    const CountRule& rule = GetParam();
    CMacroCommand command;
    const int right_counts[] = {rule.min_count, rule.max_count == kAny ? rule.min_count + 3 : rule.max_count};
    for (int count : right_counts) {
        const LineOutcome outcome = RunLine(command, LineWithParameters(rule.keyword, count));
        EXPECT_NE(rule.message, outcome.text) << rule.keyword << " with " << count;
    }
}

INSTANTIATE_TEST_SUITE_P(Keywords, CountRuleTest, ::testing::ValuesIn(kCountRules),
                         [](const ::testing::TestParamInfo<CountRule>& info) { return std::string(info.param.keyword); });
INSTANTIATE_TEST_SUITE_P(Keywords, RightCountTest, ::testing::ValuesIn(RulesOfCommandsWithoutDialogs()),
                         [](const ::testing::TestParamInfo<CountRule>& info) { return std::string(info.param.keyword); });

TEST(KeywordDispatchTest, SendKeysAlwaysHasItsOneParameter)
{
    CMacroCommand command;
    for (const char* line : {"SendKeys()", "SendKeys({a,b,c)", "SendKeys"}) {
        command.ParseLine(line);
        EXPECT_EQ(1, command.GetParameterCount()) << line;
    }
    // The commas stay inside the one key text; its unclosed brace stops the
    // typing before any key is sent.
    const LineOutcome outcome = RunLine(command, "SendKeys({a,b,c)");
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("sendkey function found an opening brace without a closing brace", outcome.text);
}

struct UnknownCase {
    const char* line;
    const char* text;
};

void PrintTo(const UnknownCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class UnknownKeywordTest : public ::testing::TestWithParam<UnknownCase> {};

TEST_P(UnknownKeywordTest, FailsNamingTheKeyword)
{
    CMacroCommand command;
    const LineOutcome outcome = RunLine(command, GetParam().line);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(GetParam().text, outcome.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnknownKeywordTest,
    ::testing::Values(UnknownCase{"runprogram(notepad)", "Unknown command \"runprogram\""},
                      UnknownCase{"LOGOFF", "Unknown command \"LOGOFF\""},
                      UnknownCase{"RunProgram (notepad)", "Unknown command \"RunProgram \""},
                      UnknownCase{"*", "Unknown command \"*\""},
                      UnknownCase{"Comment(x)", "Unknown command \"Comment\""},
                      UnknownCase{"(a,b)", "Unknown command \"\""},
                      UnknownCase{"Bogus", "Unknown command \"Bogus\""}));

TEST(KeywordDispatchTest, ExclamationMarkStillRunsTheCommand)
{
    CMacroCommand command;
    const LineOutcome outcome = RunLine(command, "!QuitProgram(Tarvex Nowhere)");
    EXPECT_EQ("Unable to Quit Program Tarvex Nowhere", outcome.text);
}

TEST(KeywordDispatchTest, CommentSucceedsAndLeavesTheErrorText)
{
    CMacroCommand command;
    RunLine(command, "Bogus()");
    for (const char* line : {"// RunProgram(x)", "  *LogOff(TRUE)"}) {
        const LineOutcome outcome = RunLine(command, line);
        EXPECT_EQ(1, outcome.result) << line;
        EXPECT_EQ("Unknown command \"Bogus\"", outcome.text) << line;
    }
}

TEST(KeywordDispatchTest, EmptyLineAndLabelDoNothingInsteadOfRepeatingTheLastCommand)
{
    CMacroCommand command;
    for (const char* line : {"", "   ", ":label", ":RunProgram(x)"}) {
        RunLine(command, "RunProgram(x)");
        command.ClearLastErrorString();
        const LineOutcome outcome = RunLine(command, line);
        EXPECT_EQ(1, outcome.result) << '"' << line << '"';
        EXPECT_EQ("", outcome.text) << '"' << line << '"';
    }
}

TEST(KeywordDispatchTest, FreshObjectRunsNothing)
{
    CMacroCommand command;
    EXPECT_EQ(1, command.ExecuteLine());
    EXPECT_STREQ("", command.GetLastErrorString());
}

}  // namespace
