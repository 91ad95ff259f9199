// How one command-script line is cut into its keyword and parameters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/line_language.h"
#include "command/macro_command.h"

namespace {

std::vector<std::string> ParametersOf(const CMacroCommand& command)
{
    std::vector<std::string> parameters;
    for (int i = 1; i <= command.GetParameterCount(); ++i)
        parameters.emplace_back(static_cast<const char*>(command.GetParameter(i)));
    return parameters;
}

struct ParseCase {
    const char* line;
    const char* full_line;
    const char* keyword;
    std::vector<std::string> parameters;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class ParseLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLineTest, CutsKeywordAndParameters)
{
    const ParseCase& c = GetParam();
    CMacroCommand command;
    command.ParseLine(c.line);
    EXPECT_STREQ(c.full_line, command.GetFullLine());
    EXPECT_STREQ(c.keyword, command.GetKeyword());
    EXPECT_EQ(c.parameters, ParametersOf(command));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLineTest,
    ::testing::Values(
        ParseCase{"  RunProgram(notepad.exe)\t ", "RunProgram(notepad.exe)", "RunProgram", {"notepad.exe"}},
        ParseCase{"LogOff", "LogOff()", "LogOff", {}},
        ParseCase{"Delay()", "Delay()", "Delay", {}},
        ParseCase{"SendKeys()", "SendKeys()", "SendKeys", {""}},
        ParseCase{"SendKeys(a,(b,c),d)", "SendKeys(a,(b,c),d)", "SendKeys", {"a,(b,c),d"}},
        ParseCase{"RunProgram(c:\\x.exe,,Hidden)", "RunProgram(c:\\x.exe,,Hidden)", "RunProgram",
                  {"c:\\x.exe", "", "Hidden"}},
        ParseCase{"MessageBox(Hello, World)", "MessageBox(Hello, World)", "MessageBox", {"Hello", " World"}},
        ParseCase{"QuitProgram(Doc (a,b),1)", "QuitProgram(Doc (a,b),1)", "QuitProgram", {"Doc (a,b)", "1"}},
        ParseCase{"RunProgram(\"a,b\")", "RunProgram(\"a,b\")", "RunProgram", {"\"a", "b\""}},
        ParseCase{"X(a,b,)", "X(a,b,)", "X", {"a", "b,"}},
        ParseCase{"SendEMail(a,b,)", "SendEMail(a,b,)", "SendEMail", {"a", "b"}},
        ParseCase{"X(a,,)", "X(a,,)", "X", {"a", ","}},
        ParseCase{"SendEMail(a,,)", "SendEMail(a,,)", "SendEMail", {"a", ""}},
        ParseCase{"X(a,,b)", "X(a,,b)", "X", {"a", "", "b"}},
        ParseCase{"X(,)", "X(,)", "X", {","}},
        ParseCase{"SendEMail(,)", "SendEMail(,)", "SendEMail", {""}},
        ParseCase{"X(  a , b  )", "X(  a , b  )", "X", {"a ", " b"}},
        ParseCase{"!RunProgram(x)", "!RunProgram(x)", "RunProgram", {"x"}},
        ParseCase{"!!X(x)", "!!X(x)", "!X", {"x"}},
        ParseCase{"RunProgram (x)", "RunProgram (x)", "RunProgram ", {"x"}},
        ParseCase{"X(a) tail", "X(a) tail", "X", {"a"}},
        ParseCase{"X(a", "X(a", "X", {"a"}},
        ParseCase{"X(a)b)", "X(a)b)", "X", {"a)b"}},
        ParseCase{"X(a),b)", "X(a),b)", "X", {"a),b"}},
        ParseCase{"X((a,b)", "X((a,b)", "X", {"(a,b"}},
        ParseCase{"X(f(a,b),g(c),d)", "X(f(a,b),g(c),d)", "X", {"f(a,b)", "g(c)", "d"}},
        ParseCase{"X)(", "X)(", "X)", {}},
        ParseCase{"(a,b)", "(a,b)", "", {"a", "b"}},
        ParseCase{"*", "*()", "*", {}},
        ParseCase{"//RunProgram(a,b)", "//RunProgram(a,b)", "Comment", {}},
        ParseCase{"   * RunProgram(a)", "* RunProgram(a)", "Comment", {}},
        ParseCase{"", "", "", {}},
        ParseCase{"   ", "", "", {}},
        ParseCase{":label(a,b)", ":label(a,b)", "", {}}));

TEST(ParseLineTest, EmptyLineForgetsThePreviousKeyword)
{
    CMacroCommand command;
    for (const char* line : {"", ":again"}) {
        command.ParseLine("RunProgram(a,b)");
        command.ParseLine(line);
        EXPECT_STREQ("", command.GetKeyword()) << line;
        EXPECT_EQ(0, command.GetParameterCount()) << line;
    }
}

struct CommentCase {
    const char* line;
    bool comment;
};

void PrintTo(const CommentCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class CommentLineTest : public ::testing::TestWithParam<CommentCase> {};

TEST_P(CommentLineTest, RecognisesComments)
{
    EXPECT_EQ(GetParam().comment, IsCommentLine(GetParam().line)) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Lines, CommentLineTest,
                         ::testing::Values(CommentCase{"//x", true}, CommentCase{"//", true},
                                           CommentCase{"*x", true}, CommentCase{"**", true},
                                           CommentCase{"  \t*x", true}, CommentCase{"*", false},
                                           CommentCase{"  *", false}, CommentCase{"/", false},
                                           CommentCase{"/x", false}, CommentCase{"x//", false},
                                           CommentCase{"RunProgram(//x)", false}, CommentCase{"", false}));

TEST(ParameterAccessTest, IndexOutsideTheListGivesEmptyTextAndZero)
{
    CMacroCommand command;
    command.ParseLine("X(12,b)");
    for (int index : {-1, 0, 3, 1000}) {
        EXPECT_STREQ("", command.GetParameter(index)) << index;
        EXPECT_EQ(0, command.GetParameterAsInt(index)) << index;
    }
    EXPECT_STREQ("b", command.GetParameter(2));
    EXPECT_EQ(12, command.GetParameterAsInt(1));
}

struct IntegerCase {
    const char* text;
    long value;
};

void PrintTo(const IntegerCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class LeadingIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(LeadingIntegerTest, ReadsTheLeadingNumber)
{
    EXPECT_EQ(GetParam().value, LeadingInteger(GetParam().text)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingIntegerTest,
                         ::testing::Values(IntegerCase{"42", 42}, IntegerCase{"  42abc", 42},
                                           IntegerCase{"-7", -7}, IntegerCase{"+3", 3},
                                           IntegerCase{"abc", 0}, IntegerCase{"", 0},
                                           IntegerCase{"- 5", 0}, IntegerCase{"1.9", 1},
                                           IntegerCase{"99999999999", 2147483647L},
                                           IntegerCase{"-99999999999", -2147483647L - 1}));

}  // namespace
