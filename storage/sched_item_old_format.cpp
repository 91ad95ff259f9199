// CSchedItem::ConvertOldFormat: a task file of the old layout (record
// versions 1 and 2) becomes a current record whose one command line does
// what the old action did.
#include "platform/framework/archive.h"
#include "storage/old_condition.h"
#include "storage/old_task.h"
#include "storage/old_trigger.h"
#include "storage/sched_item.h"

namespace {

constexpr LONG kOldVersionWithStopSettings = 2;

const char* WindowStateWord(LONG state)
{
    switch (state) {
    case 0:
        return "Normal";
    case 1:
        return "Maximized";
    case 2:
        return "Minimized";
    case 3:
        return "Hidden";
    default:
        return "";
    }
}

// A program path with a blank is quoted, so that the command component
// finds where the program ends and its arguments begin.
CString QuotedIfBlank(const CString& program)
{
    CString text = program;
    text.TrimLeft();
    text.TrimRight();
    if (text.Find(' ') >= 0 && !(text.GetLength() >= 2 && text[0] == '"' && text[text.GetLength() - 1] == '"'))
        return "\"" + text + "\"";
    return text;
}

// The old action kept the program and its arguments apart; a RunProgram
// or RunDOSCommand line takes them together as its first parameter (the
// second is the working directory).
CString CommandWithArguments(const CString& program, const CString& parameters)
{
    CString arguments = parameters;
    arguments.TrimLeft();
    arguments.TrimRight();
    if (arguments.IsEmpty())
        return program;
    return QuotedIfBlank(program) + " " + arguments;
}

const char* ForceWord(LONG force)
{
    return force == 1 ? "True" : "False";
}

// The command line of the old action; empty when the action has no
// conversion.
CString CommandLineOf(const COldTask& task)
{
    CString line;
    switch (task.m_Action) {
    case kOldActionRunProgram:
    case kOldActionRunDOSCommand:
        line.Format("%s(%s,,%s,1)", task.m_Action == kOldActionRunProgram ? "RunProgram" : "RunDOSCommand",
                    static_cast<const char*>(CommandWithArguments(task.m_Program, task.m_Parameters)),
                    WindowStateWord(task.m_WindowState));
        break;
    case kOldActionDisplayMessage:
        line.Format("DisplayMessage(%s,%d,1)", static_cast<const char*>(task.m_Message),
                    static_cast<int>(task.m_MessageNumber));
        break;
    case kOldActionShutDown:
    // The command language has no power-off; shutting down is what the old
    // action came to on the machines that could not switch themselves off.
    case kOldActionPowerOff:
        line.Format("%s(%s)", "ShutDown", ForceWord(task.m_Force));
        break;
    case kOldActionLogOff:
        line.Format("%s(%s)", "LogOff", ForceWord(task.m_Force));
        break;
    case kOldActionReBoot:
        line.Format("%s(%s)", "ReBoot", ForceWord(task.m_Force));
        break;
    case kOldActionQuitProgram:
        line.Format("QuitProgram(%s)", static_cast<const char*>(task.m_QuitProgram));
        break;
    // The command language has no DDE commands: the old action is kept as a
    // comment, so the user sees what the task used to do.
    case kOldActionDDECommand:
    case kOldActionDDEScript:
        line.Format("// %s(%s,%s,%s)", task.m_Action == kOldActionDDECommand ? "DDECommand" : "DDEScript",
                    static_cast<const char*>(task.m_DDEFirst), static_cast<const char*>(task.m_DDESecond),
                    static_cast<const char*>(task.m_DDEThird));
        break;
    // SendKeys takes its whole parameter text as the keys; the old
    // send-keys number would be typed along with them.
    case kOldActionSendKeys:
        line.Format("SendKeys(%s)", static_cast<const char*>(task.m_Keys));
        break;
    default:
        break;
    }
    return line;
}

}  // namespace

void CSchedItem::ConvertOldFormat(CArchive& ar, LONG version)
{
    LONG unused = 0;
    CString unusedText;
    ar >> m_Description >> m_LogFile >> m_AlarmWaveFile;
    ar >> m_IsLog >> m_IsEnabled >> m_IsAlarm >> unused >> m_IsExecIfPastDue >> m_IsSchedIfPastDue >>
        m_IsDeleteAfterExec >> m_IsDisableAfterExec >> m_IsPromptBeforeExec >> m_IsSuspendSchedule;
    if (version >= kOldVersionWithStopSettings) {
        ar >> unused >> unused >> unusedText;
        ar >> m_IsStopAfter >> m_StopHours >> m_StopMinutes;
        ar >> unusedText;
    }

    COldTask task;
    COldTrigger trigger;
    COldCondition condition;
    task.Serialize(ar);
    trigger.Serialize(ar);
    condition.Serialize(ar);

    m_UserName = task.m_UserName;
    m_Password = task.m_Password;
    m_RunAsSystem = task.m_RunAsSystem;
    m_IsInteractive = task.m_IsInteractive;

    m_NextSchedTime = trigger.m_NextSchedTime;
    m_ReservedDate = trigger.m_CreatedTime;
    m_LastExecTime = trigger.m_LastExecTime;
    m_DurationTime = trigger.m_DurationTime;
    m_IsAdvOptions = trigger.m_IsAdvOptions;
    m_IntervalStartingTime = trigger.m_IntervalStartingTime;
    m_IntervalEndingTime = trigger.m_IntervalEndingTime;
    m_IsIntervalRange = trigger.m_IsIntervalRange;
    m_IncludeHolidays = trigger.m_IncludeHolidays;
    m_ScheduledIndefinately = trigger.m_ScheduledIndefinately;
    m_Frequency = trigger.m_Frequency;
    m_IntervalType = trigger.m_IntervalType;
    m_ReschedType = trigger.m_ReschedType;
    m_MonthRunType = trigger.m_MonthRunType;
    m_DayOfWeek = trigger.m_DayOfWeek;
    m_IntervalAmount = trigger.m_IntervalAmount;
    m_Multiplier = trigger.m_Multiplier;
    m_UseWeekType = trigger.m_UseWeekType;
    m_DayOfMonth = trigger.m_DayOfMonth;
    m_WorkDayOfMonth = trigger.m_WorkDayOfMonth;
    for (int day = 0; day < 7; ++day)
        m_WeekDaySelected[day] = trigger.m_WeekDaySelected[day];
    for (int month = 0; month < 12; ++month)
        m_IsMonthScheduled[month] = trigger.m_IsMonthScheduled[month];

    m_CondEnabled = condition.m_Enabled;
    m_CondType = COldCondition::CondTypeOf(condition.m_OldType);
    m_CondAction = condition.m_Action;
    m_CondName = condition.m_CondName;
    m_CondReserved = condition.m_Reserved;
    m_CondFrequency = condition.m_Frequency;
    m_HasToggled = condition.m_HasToggled;

    m_AcctName.Empty();
    m_AutoReset = 0;
    // The old layout had no trigger type: a scheduled task must stay one.
    DeriveTriggerType();

    // An action without a conversion still gives its one line, empty, so
    // that the converted task shows one line for the old action as every
    // other converted task does.
    AddCommandLine(CommandLineOf(task));
}
