// Task files of the old layout (record versions 1 and 2): their conversion
// to the current record, byte for byte against the converted images, and the
// command line each old action becomes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "byte_image.h"
#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "record_stream.h"
#include "storage/old_condition.h"
#include "storage/old_task.h"
#include "storage/old_trigger.h"
#include "storage/sched_item.h"

namespace {

// A version-1 file: a task part with fixed values and the three old
// records as given.
Bytes OldFile(COldTask& task, COldTrigger& trigger, COldCondition& condition)
{
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        ar << LONG(1) << CString("Old") << CString("run.log") << CString("");
        for (int flag = 0; flag < 10; ++flag)
            ar << LONG(0);
        task.Serialize(ar);
        trigger.Serialize(ar);
        condition.Serialize(ar);
        ar.Close();
    }
    const size_t size = static_cast<size_t>(memory.GetLength());
    BYTE* block = memory.Detach();
    Bytes bytes(block, block + size);
    std::free(block);
    return bytes;
}

CSchedItem* Converted(CSchedItem& item, COldTask& task, COldTrigger& trigger, COldCondition& condition)
{
    EXPECT_EQ(LoadRecord(item, OldFile(task, trigger, condition)), RecordLoad::loaded);
    return &item;
}

void ExpectConvertsTo(const char* oldFixture, const char* convertedFixture)
{
    CSchedItem item;
    ASSERT_EQ(LoadRecord(item, FixtureBytes(oldFixture)), RecordLoad::loaded) << oldFixture;
    EXPECT_EQ(item.IsConvertedFromOldFormat(), 1);
    const Bytes expected = FixtureBytes(convertedFixture);
    const Bytes stored = StoreRecord(item);
    EXPECT_EQ(stored, expected) << "stored:   " << HexOf(stored) << "\nexpected: " << HexOf(expected);
}

TEST(OldFormat, Version1FileConvertsToItsVersion5Image)
{
    ExpectConvertsTo("task_v1.hex", "task_v1_converted.hex");
}

TEST(OldFormat, Version2FileCarriesTheStopSettings)
{
    ExpectConvertsTo("task_v2.hex", "task_v2_converted.hex");
    CSchedItem item;
    ASSERT_EQ(LoadRecord(item, FixtureBytes("task_v2.hex")), RecordLoad::loaded);
    EXPECT_EQ(item.m_IsStopAfter, 1);
    EXPECT_EQ(item.m_StopHours, 2);
    EXPECT_EQ(item.m_StopMinutes, 30);
}

TEST(OldFormat, Version1KeepsTheStopDefaults)
{
    CSchedItem item;
    ASSERT_EQ(LoadRecord(item, FixtureBytes("task_v1.hex")), RecordLoad::loaded);
    EXPECT_EQ(item.m_IsStopAfter, 0);
    EXPECT_EQ(item.m_StopHours, 0);
    EXPECT_EQ(item.m_StopMinutes, 0);
    EXPECT_EQ(item.GetLoadedVersion(), 1);
}

struct ActionCase {
    LONG action;
    const char* program;
    const char* parameters;
    LONG windowState;
    LONG force;
    const char* line;
};

TEST(OldFormat, OldActionBecomesOneCommandLineOfTheCurrentLanguage)
{
    const ActionCase cases[] = {
        {kOldActionRunProgram, "C:\\Program Files\\Editor\\edit.exe", "/n report.txt", 1, 0,
         "RunProgram(\"C:\\Program Files\\Editor\\edit.exe\" /n report.txt,,Maximized,1)"},
        {kOldActionRunProgram, "notepad.exe", "", 3, 0, "RunProgram(notepad.exe,,Hidden,1)"},
        {kOldActionRunProgram, "notepad.exe", "a.txt", 0, 0, "RunProgram(notepad.exe a.txt,,Normal,1)"},
        {kOldActionRunProgram, "\"C:\\My Tools\\x.exe\"", "-q", 2, 0, "RunProgram(\"C:\\My Tools\\x.exe\" -q,,Minimized,1)"},
        {kOldActionRunProgram, "notepad.exe", "", 7, 0, "RunProgram(notepad.exe,,,1)"},
        {kOldActionRunDOSCommand, "dir", "/w", 0, 0, "RunDOSCommand(dir /w,,Normal,1)"},
        {kOldActionDisplayMessage, "", "", 0, 0, "DisplayMessage(Time to go home,30,1)"},
        {kOldActionShutDown, "", "", 0, 1, "ShutDown(True)"},
        {kOldActionLogOff, "", "", 0, 0, "LogOff(False)"},
        {kOldActionReBoot, "", "", 0, 2, "ReBoot(False)"},
        {kOldActionPowerOff, "", "", 0, 1, "ShutDown(True)"},
        {kOldActionQuitProgram, "", "", 0, 0, "QuitProgram(calc.exe)"},
        {kOldActionDDECommand, "", "", 0, 0, "// DDECommand(first,second,third)"},
        {kOldActionDDEScript, "", "", 0, 0, "// DDEScript(first,second,third)"},
        {kOldActionSendKeys, "", "", 0, 0, "SendKeys(%{F4})"},
        // Without a conversion: the one line is empty.
        {11, "", "", 0, 0, ""},
        {-1, "", "", 0, 0, ""},
        {0x7FFFFFFF, "", "", 0, 0, ""},
    };
    for (const ActionCase& c : cases) {
        COldTask task;
        task.m_Action = c.action;
        task.m_Program = c.program;
        task.m_Parameters = c.parameters;
        task.m_WindowState = c.windowState;
        task.m_Force = c.force;
        task.m_Message = "Time to go home";
        task.m_MessageNumber = 30;
        task.m_QuitProgram = "calc.exe";
        task.m_Keys = "%{F4}";
        task.m_SendKeysNumber = 3;
        task.m_DDEFirst = "first";
        task.m_DDESecond = "second";
        task.m_DDEThird = "third";
        COldTrigger trigger;
        COldCondition condition;
        CSchedItem item;
        Converted(item, task, trigger, condition);
        ASSERT_EQ(item.GetCommandCount(), 1) << "action " << c.action;
        EXPECT_EQ(std::string(item.GetCommandLine(0)), c.line) << "action " << c.action;

        // The rewritten file keeps that one line.
        CSchedItem rewritten;
        ASSERT_EQ(LoadRecord(rewritten, StoreRecord(item)), RecordLoad::loaded) << "action " << c.action;
        ASSERT_EQ(rewritten.GetCommandCount(), 1) << "action " << c.action;
        EXPECT_EQ(std::string(rewritten.GetCommandLine(0)), c.line) << "action " << c.action;
    }
}

TEST(OldFormat, OldConditionTypesMapToTheCurrentOnes)
{
    const LONG expected[] = {2, 5, 4, 9, 0, 1, 0, 7, 8, 0, 6, 3};
    for (LONG oldType = -1; oldType <= 12; ++oldType) {
        COldTask task;
        COldTrigger trigger;
        COldCondition condition;
        condition.m_OldType = oldType;
        CSchedItem item;
        Converted(item, task, trigger, condition);
        const LONG want = (oldType >= 0 && oldType < 12) ? expected[oldType] : 0;
        EXPECT_EQ(item.m_CondType, want) << "old type " << oldType;
    }
}

struct TriggerTypeCase {
    LONG frequency;
    LONG oldCondType;
    LONG triggerType;
};

TEST(OldFormat, ConvertedTaskGetsTheTriggerTypeItsScheduleOrConditionMeans)
{
    const TriggerTypeCase cases[] = {
        {0, 0, kTriggerScheduled},          {2, 4, kTriggerScheduled},
        {4, 4, kTriggerApplicationWatch},   {4, 0, kTriggerFileWatch},
        {4, 7, kTriggerWindowWatch},        {4, 3, kTriggerManual},
    };
    for (const TriggerTypeCase& c : cases) {
        COldTask task;
        COldTrigger trigger;
        trigger.m_Frequency = c.frequency;
        COldCondition condition;
        condition.m_OldType = c.oldCondType;
        CSchedItem item;
        Converted(item, task, trigger, condition);
        EXPECT_EQ(item.m_TriggerType, c.triggerType) << "frequency " << c.frequency << ", old type " << c.oldCondType;
    }
}

}  // namespace
