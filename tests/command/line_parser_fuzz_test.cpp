// Lines of any length and content: the parser always gives a result and every
// failure a text, in time proportional to the line.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "command/line_language.h"
#include "command/macro_command.h"

namespace {

std::string JoinParameters(const CMacroCommand& command)
{
    std::string joined;
    for (int i = 1; i <= command.GetParameterCount(); ++i) {
        if (i > 1)
            joined += ',';
        joined += command.GetParameter(i);
    }
    return joined;
}

// Characters the line language gives a meaning to, much more often than the
// rest of the 8-bit range.
char RandomCharacter(std::mt19937& random)
{
    static const char kSpecial[] = "(),,,\"'!*/: \t\\";
    if (random() % 3 != 0)
        return kSpecial[random() % (sizeof(kSpecial) - 1)];
    if (random() % 4 == 0)
        return "SendKeysEMailRunProgramLogOff"[random() % 29];
    return static_cast<char>(1 + random() % 255);
}

TEST(LineParserFuzzTest, RandomLinesAlwaysGiveAResultAndFailuresAText)
{
    std::mt19937 random(20240611);
    static const char* const kPrefixes[] = {"", "RunProgram(", "SendKeys(", "SendEMail(", "Delay(", "!QuitProgram("};
    CMacroCommand command;
    for (int round = 0; round < 20000; ++round) {
        const size_t prefix = random() % 6;
        std::string line = kPrefixes[prefix];
        const size_t length = random() % (round % 100 == 0 ? 5000 : 60);
        for (size_t i = 0; i < length; ++i)
            line += RandomCharacter(random);

        command.ParseLine(line.c_str());
        const CString& full = command.GetFullLine();
        // Random programs, keys, delays and window closes would act on the
        // desktop for real: those lines are only parsed.
        const bool acts_on_desktop = prefix == 1 || prefix == 2 || prefix == 4 || prefix == 5;
        if (!acts_on_desktop) {
            const int result = command.ExecuteLine();
            ASSERT_TRUE(result == 0 || result == 1) << line;
            if (result == 0)
                ASSERT_FALSE(command.GetLastErrorString().IsEmpty()) << line;
            else
                ASSERT_NE(CMacroCommand::LineKind::kCommand, command.GetLineKind()) << line;
        }

        if (command.GetLineKind() != CMacroCommand::LineKind::kCommand) {
            ASSERT_EQ(0, command.GetParameterCount()) << line;
            continue;
        }
        ASSERT_FALSE(IsNoOperationLine(full)) << line;
        ASSERT_GE(full.Find('('), 0) << line;
        // Splitting drops only the separating commas (and, for SendEMail, a
        // trailing one): joined again, the parameters give the text back.
        std::string text = static_cast<const char*>(command.GetParameterText());
        if (command.GetKeyword() == "SendKeys") {
            ASSERT_EQ(1, command.GetParameterCount()) << line;
        } else {
            if (command.GetKeyword() == "SendEMail" && !text.empty() && text.back() == ',')
                text.pop_back();
            ASSERT_EQ(text, JoinParameters(command)) << line;
        }
        command.ClearLastErrorString();
    }
}

TEST(LineParserFuzzTest, HundredThousandParametersAreAllKept)
{
    std::string line = "RunProgram(";
    for (int i = 0; i < 100000; ++i)
        line += i == 0 ? "p0" : ",p" + std::to_string(i);
    line += ")";
    CMacroCommand command;
    command.ParseLine(line.c_str());
    ASSERT_EQ(100000, command.GetParameterCount());
    EXPECT_STREQ("p0", command.GetParameter(1));
    EXPECT_STREQ("p99999", command.GetParameter(100000));
    EXPECT_EQ(0, command.ExecuteLine());
    EXPECT_STREQ("Unable to set working directory", command.GetLastErrorString());
}

TEST(LineParserFuzzTest, DeepUnbalancedParenthesesStayOneParameter)
{
    for (const char* filler : {"(", ")"}) {
        std::string line = "QuitProgram(";
        for (int i = 0; i < 1000000; ++i)
            line += filler;
        line += ",x";
        CMacroCommand command;
        command.ParseLine(line.c_str());
        EXPECT_EQ(1, command.GetParameterCount()) << filler;
        EXPECT_EQ(0, command.ExecuteLine());
        const std::string expected = std::string("Unable to Quit Program ") + static_cast<const char*>(command.GetParameter(1));
        EXPECT_EQ(expected, static_cast<const char*>(command.GetLastErrorString())) << filler;
    }
}

}  // namespace
