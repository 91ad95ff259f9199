// The engine's command line: which switch decides, and what counts as the
// Start switch.
#include <gtest/gtest.h>

#include "engine/engine_switches.h"

namespace {

struct SwitchCase {
    const wchar_t* command_line;
    EngineAction action;
    bool start_now;
};

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
        SwitchCase{L"Tarvex.exe", EngineAction::Run, false},
        SwitchCase{L"Tarvex.exe -Embedding", EngineAction::Run, false},
        SwitchCase{L"Tarvex.exe /Start", EngineAction::Run, true},
        SwitchCase{L"Tarvex.exe -start", EngineAction::Run, true},
        // The text compared runs to the end of the line.
        SwitchCase{L"Tarvex.exe /Start -Embedding", EngineAction::Run, false},
        SwitchCase{L"Tarvex.exe -Embedding /Start", EngineAction::Run, true},
        SwitchCase{L"Tarvex.exe -Startup", EngineAction::Run, false},
        SwitchCase{L"Tarvex.exe -regserver", EngineAction::Register, false},
        SwitchCase{L"Tarvex.exe /RegServer", EngineAction::Register, false},
        SwitchCase{L"Tarvex.exe /Service", EngineAction::RegisterService, false},
        SwitchCase{L"Tarvex.exe -UNREGSERVER", EngineAction::Unregister, false},
        SwitchCase{L"Tarvex.exe /Stop", EngineAction::StopRunning, false},
        SwitchCase{L"Tarvex.exe /Stop -Embedding", EngineAction::Run, false},
        // A dash inside the program's path is no switch.
        SwitchCase{L"\"C:\\Program Files\\tar-vex\\Tarvex.exe\" /Start", EngineAction::Run, true},
        SwitchCase{L"Tarvex.exe -Service now", EngineAction::Run, false}));

}  // namespace
