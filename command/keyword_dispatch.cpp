// The keyword table: which command a keyword runs and how many parameters
// that command takes.
#include <cstdarg>

#include "command/command_texts.h"
#include "command/macro_command.h"

namespace {
constexpr int kNoLimit = -1;
}

struct CMacroCommand::KeywordRule {
    const char* keyword;
    int (CMacroCommand::*run)();
    int min_count;
    int max_count;  // kNoLimit: any number from min_count up
    const char* count_message;
};

const CMacroCommand::KeywordRule* CMacroCommand::FindKeywordRule(const CString& keyword)
{
    using namespace command_text;
    // Keywords match exactly and case-sensitively, in this order.
    static const KeywordRule kRules[] = {
        {"RunProgram", &CMacroCommand::RunProgram, 1, kNoLimit, kInvalidNumberOfParameters},
        {"RunDOSCommand", &CMacroCommand::RunDOSCommand, 1, kNoLimit, kInvalidNumberOfParameters},
        {"DisplayMessage", &CMacroCommand::DisplayMessage, 3, 3, kWrongNumberOfParameters},
        {"SetActiveWindow", &CMacroCommand::SetActiveWindow, 1, 1, kWrongNumberOfParameters},
        {"MaximizeWindow", &CMacroCommand::MaximizeWindow, 1, 1, kWrongNumberOfParameters},
        {"MinimizeWindow", &CMacroCommand::MinimizeWindow, 1, 1, kWrongNumberOfParameters},
        {"RestoreWindow", &CMacroCommand::RestoreWindow, 1, 1, kWrongNumberOfParameters},
        {"CloseWindow", &CMacroCommand::CloseWindow, 1, 1, kWrongNumberOfParametersCapital},
        {"InputBox", &CMacroCommand::InputBox, 2, 2, kWrongNumberOfParameters},
        {"MessageBox", &CMacroCommand::MessageBox, 2, 2, kWrongNumberOfParameters},
        {"Delay", &CMacroCommand::Delay, 2, 2, kWrongNumberOfParameters},
        {"WaitForProgram", &CMacroCommand::WaitForProgram, 1, 1, kWrongNumberOfParameters},
        {"SendKeys", &CMacroCommand::SendKeys, 1, 1, kWrongNumberOfParameters},
        {"SendKeysToWindow", &CMacroCommand::SendKeysToWindow, 2, 2, kWrongNumberOfParameters},
        {"SendKeysFromFile", &CMacroCommand::SendKeysFromFile, 1, 1, kWrongNumberOfParameters},
        {"ShutDown", &CMacroCommand::SystemCommand, 1, 1, kWrongNumberOfParameters},
        {"LogOff", &CMacroCommand::SystemCommand, 1, 1, kWrongNumberOfParameters},
        {"ReBoot", &CMacroCommand::SystemCommand, 1, 1, kWrongNumberOfParameters},
        {"DialUpConnect", &CMacroCommand::DialUpConnect, 1, kNoLimit, kInvalidNumberOfParameters},
        {"DialUpDisConnect", &CMacroCommand::DialUpDisConnect, 1, 1, kInvalidNumberOfParameters},
        {"SendEMail", &CMacroCommand::SendEMail, 3, kNoLimit, kWrongNumberOfParametersCapital},
        {"LogToFile", &CMacroCommand::LogToFile, 2, 2, kWrongNumberOfParametersCapital},
        {"QuitProgram", &CMacroCommand::QuitProgram, 1, kNoLimit, kWrongNumberOfParametersCapital},
        {"DisableTask", &CMacroCommand::DisableTask, 1, 1, kInvalidNumberOfParameters},
        {"EnableTask", &CMacroCommand::EnableTask, 1, 1, kInvalidNumberOfParameters},
        {"RunTask", &CMacroCommand::RunTask, 1, 1, kInvalidNumberOfParameters},
        {"ResetTaskTrigger", &CMacroCommand::ResetTaskTrigger, 1, 1, kInvalidNumberOfParameters},
    };
    for (const KeywordRule& rule : kRules) {
        if (keyword == rule.keyword)
            return &rule;
    }
    return nullptr;
}

int CMacroCommand::ExecuteLine()
{
    if (m_lineKind != LineKind::kCommand)
        return 1;
    const KeywordRule* rule = FindKeywordRule(m_strKeyword);
    if (rule == nullptr)
        return SetErrorFormat(command_text::kUnknownCommand, static_cast<const char*>(m_strKeyword));
    return (this->*rule->run)();
}

int CMacroCommand::CheckParameterCount()
{
    const KeywordRule* rule = FindKeywordRule(m_strKeyword);
    if (rule == nullptr)
        return 0;
    const int count = GetParameterCount();
    if (count < rule->min_count || (rule->max_count != kNoLimit && count > rule->max_count))
        return SetErrorText(rule->count_message);
    return 1;
}

int CMacroCommand::SetErrorText(const char* text)
{
    m_strLastError = text;
    return 0;
}

int CMacroCommand::SetErrorFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    m_strLastError.FormatV(format, args);
    va_end(args);
    return 0;
}

int CMacroCommand::FailNotAvailable()
{
    if (!CheckParameterCount())
        return 0;
    return SetErrorFormat(command_text::kCommandNotAvailable, static_cast<const char*>(m_strKeyword));
}
