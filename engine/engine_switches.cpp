#include "engine/engine_switches.h"

#include "platform/com/server_switches.h"

EngineCommand ParseEngineCommandLine(std::wstring_view command_line)
{
    using tvx::com::SwitchIs;
    EngineCommand command;
    for (std::wstring_view text : tvx::com::SwitchTexts(command_line)) {
        if (SwitchIs(text, L"UnregServer")) {
            command.action = EngineAction::Unregister;
            return command;
        }
        if (SwitchIs(text, L"RegServer")) {
            command.action = EngineAction::Register;
            return command;
        }
        if (SwitchIs(text, L"Service")) {
            command.action = EngineAction::RegisterService;
            return command;
        }
        if (SwitchIs(text, L"Stop")) {
            command.action = EngineAction::StopRunning;
            return command;
        }
        if (SwitchIs(text, L"Start"))
            command.start_now = true;
    }
    return command;
}
