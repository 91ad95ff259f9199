// The engine's command line: which switch decides, and what counts as the
// Start switch.
#include <gtest/gtest.h>

#include "engine/engine_switches.h"

namespace {

struct SwitchCase {
    const char* name;
    const wchar_t* command_line;
    EngineAction action;
    bool start_now;
};

void PrintTo(const SwitchCase& c, std::ostream* out)
{
    *out << c.name;
}

class EngineSwitchesTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(EngineSwitchesTest, CommandLineSelectsActionAndStartFlag)
{
    const SwitchCase& c = GetParam();
    const EngineCommand command = ParseEngineCommandLine(c.command_line);
    EXPECT_EQ(command.action, c.action);
    EXPECT_EQ(command.start_now, c.start_now);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EngineSwitchesTest,
    ::testing::Values(
        SwitchCase{"Nothing", L"Tarvex.exe", EngineAction::Run, false},
        SwitchCase{"Embedding", L"Tarvex.exe -Embedding", EngineAction::Run, false},
        SwitchCase{"Start", L"Tarvex.exe /Start", EngineAction::Run, true},
        SwitchCase{"StartInSmallLetters", L"Tarvex.exe -start", EngineAction::Run, true},
        // The text compared runs to the end of the line.
        SwitchCase{"StartFollowedByEmbedding", L"Tarvex.exe /Start -Embedding", EngineAction::Run, false},
        SwitchCase{"EmbeddingFollowedByStart", L"Tarvex.exe -Embedding /Start", EngineAction::Run, true},
        SwitchCase{"Startup", L"Tarvex.exe -Startup", EngineAction::Run, false},
        SwitchCase{"RegServerInSmallLetters", L"Tarvex.exe -regserver", EngineAction::Register, false},
        SwitchCase{"RegServer", L"Tarvex.exe /RegServer", EngineAction::Register, false},
        SwitchCase{"Service", L"Tarvex.exe /Service", EngineAction::RegisterService, false},
        SwitchCase{"UnregServerInCapitals", L"Tarvex.exe -UNREGSERVER", EngineAction::Unregister, false},
        SwitchCase{"Stop", L"Tarvex.exe /Stop", EngineAction::StopRunning, false},
        SwitchCase{"StopFollowedByEmbedding", L"Tarvex.exe /Stop -Embedding", EngineAction::Run, false},
        // A dash inside the program's path is no switch.
        SwitchCase{"DashInProgramPath", L"\"C:\\Program Files\\tar-vex\\Tarvex.exe\" /Start", EngineAction::Run, true},
        SwitchCase{"ServiceFollowedByText", L"Tarvex.exe -Service now", EngineAction::Run, false}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

}  // namespace
