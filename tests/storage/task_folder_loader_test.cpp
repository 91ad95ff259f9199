// Loading the tasks folder into the scheduler's collection: every readable
// file, nothing else, and the split of old tasks that had a schedule and an
// enabled condition at once. Tasks are task doubles made by a factory, as
// the QVTask class object would make them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "byte_image.h"
#include "fake_scheduler.h"
#include "fake_task.h"
#include "platform/com/co_init.h"
#include "record_stream.h"
#include "scratch_folder.h"
#include "storage/sched_item.h"
#include "storage/task_folder_loader.h"

using tvx::com::ComPtr;

namespace {

// A version-5 record stored as version 4 would have been: the same fields
// without the last three (AcctName must be empty).
Bytes AsVersion4(CSchedItem& item)
{
    Bytes bytes = StoreRecord(item);
    bytes.resize(bytes.size() - (1 + 4 + 4));
    bytes[0] = 4;
    return bytes;
}

// An old scheduled task with an enabled condition, as the loader splits it.
void MakeScheduledWithCondition(CSchedItem& item, const char* name, LONG action, LONG condType)
{
    item.m_Description = name;
    item.m_Frequency = 2;
    item.m_CondEnabled = 1;
    item.m_CondAction = action;
    item.m_CondType = condType;
    item.m_CondName = "watched.exe";
    item.AddCommandLine("RunProgram(backup.exe)");
}

class TaskFolderLoaderTest : public ::testing::Test {
protected:
    std::string TaskPath(const std::string& name) const { return "tasks\\" + name + ".tsk"; }
    HRESULT LoadAll() { return loader_.LoadAll(Scheduler(), &factory_); }
    IDispatch* Scheduler() const { return static_cast<IQVScheduler*>(scheduler_.Get()); }
    std::vector<std::wstring> SortedDescriptions() const
    {
        std::vector<std::wstring> names = scheduler_->collection.Descriptions();
        std::sort(names.begin(), names.end());
        return names;
    }
    std::unique_ptr<CSchedItem> StoredTask(const std::string& name) const
    {
        auto item = std::make_unique<CSchedItem>();
        EXPECT_EQ(LoadRecord(*item, folder_.Read(TaskPath(name))), RecordLoad::loaded) << name;
        return item;
    }

    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
    ScratchFolder folder_;
    ComPtr<FakeScheduler> scheduler_ = FakeScheduler::Create();
    FakeTaskFactory factory_{folder_.Storage()};
    CTaskFolderLoader loader_{folder_.Storage()};
};

TEST_F(TaskFolderLoaderTest, LoadsEveryTaskFileOfTheFolder)
{
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        CSchedItem item;
        item.m_Description = name;
        folder_.Write(TaskPath(name), StoreRecord(item));
    }
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
}

TEST_F(TaskFolderLoaderTest, BadFilesAreSkippedAndNeverStopTheOthers)
{
    CSchedItem good;
    good.m_Description = "Good";
    folder_.Write(TaskPath("Good"), StoreRecord(good));
    folder_.Write(TaskPath("Empty"), Bytes());
    folder_.Write(TaskPath("Text"), BytesOf("a text file, not a task"));
    Bytes truncated = StoreRecord(good);
    truncated.resize(truncated.size() - 2);
    folder_.Write(TaskPath("Truncated"), truncated);
    CSchedItem last;
    last.m_Description = "Zulu";
    folder_.Write(TaskPath("Zulu"), StoreRecord(last));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Good", L"Zulu"}));
    EXPECT_EQ(folder_.Read(TaskPath("Truncated")), truncated);
}

// The temporary file of a save killed midway holds a whole task or part of
// one: it is no task of the folder, and loading the folder takes it away.
TEST_F(TaskFolderLoaderTest, TemporaryFilesOfSavesKilledMidwayAreRemovedAndNeverRead)
{
    CSchedItem item;
    item.m_Description = "Kept";
    const Bytes whole = StoreRecord(item);
    folder_.Write(TaskPath("Kept"), whole);
    folder_.Write("tasks\\qvxC0DE.tmp", whole);
    Bytes half = whole;
    half.resize(half.size() / 2);
    folder_.Write("tasks\\qvx3.tmp", half);
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Kept"}));
    EXPECT_EQ(folder_.FileNames("tasks"), (std::vector<std::string>{"Kept.tsk"}));
}

TEST_F(TaskFolderLoaderTest, OnlyFilesEndingInTskCount)
{
    CSchedItem item;
    folder_.Write("tasks\\Longer.tskx", StoreRecord(item));
    folder_.Write("tasks\\Other.dat", StoreRecord(item));
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf("tasks\\Folder.tsk").c_str(), nullptr));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_TRUE(scheduler_->collection.tasks.empty());
    EXPECT_TRUE(factory_.made.empty());
}

TEST_F(TaskFolderLoaderTest, WithoutCollectionOrTaskClassNothingIsLoaded)
{
    CSchedItem item;
    item.m_Description = "Alpha";
    folder_.Write(TaskPath("Alpha"), StoreRecord(item));
    scheduler_->givesCollection = false;
    EXPECT_EQ(LoadAll(), S_OK);
    EXPECT_TRUE(factory_.made.empty());
    scheduler_->givesCollection = true;
    EXPECT_EQ(loader_.LoadAll(Scheduler(), nullptr), S_OK);
    EXPECT_TRUE(scheduler_->collection.tasks.empty());
}

TEST_F(TaskFolderLoaderTest, NullAndNonSchedulerObjectsAreRefused)
{
    EXPECT_EQ(loader_.LoadAll(nullptr, &factory_), E_INVALIDARG);
    ComPtr<FakeTask> task = FakeTask::Create(folder_.Storage());
    EXPECT_EQ(loader_.LoadAll(static_cast<IQVTask*>(task.Get()), &factory_), E_FAIL);
}

TEST_F(TaskFolderLoaderTest, OldScheduledTaskWithEnabledConditionIsSplitInTwo)
{
    CSchedItem item;
    MakeScheduledWithCondition(item, "Backup", 2, 10);
    folder_.Write(TaskPath("Backup"), AsVersion4(item));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Backup", L"Trigger For - Backup"}));

    const auto first = StoredTask("Backup");
    EXPECT_EQ(first->GetLoadedVersion(), 5);
    EXPECT_EQ(first->m_CondEnabled, 0);
    EXPECT_EQ(first->m_Frequency, 2);
    EXPECT_EQ(first->m_TriggerType, kTriggerScheduled);
    EXPECT_EQ(std::string(first->GetCommandLine(0)), "RunProgram(backup.exe)");

    const auto second = StoredTask("Trigger For - Backup");
    ASSERT_EQ(second->GetCommandCount(), 1);
    EXPECT_EQ(std::string(second->GetCommandLine(0)), "DisableTask(Backup)");
    EXPECT_EQ(second->m_TriggerType, kTriggerProcessWatch);
    EXPECT_EQ(second->m_CondType, 11);
    EXPECT_EQ(second->m_CondEnabled, 1);
    EXPECT_EQ(second->m_CondAction, 1);
    EXPECT_EQ(std::string(second->m_CondName), "watched.exe");
}

struct SplitCase {
    LONG action;
    LONG condType;
    const char* line;  // nullptr: the second task keeps no command
    LONG triggerType;
};

TEST_F(TaskFolderLoaderTest, SecondTaskRunsEnablesOrDisablesTheFirst)
{
    const SplitCase cases[] = {
        {0, 0, "RunTask(Task 0)", kTriggerApplicationWatch},
        {1, 5, "EnableTask(Task 1)", kTriggerFileWatch},
        {2, 8, "DisableTask(Task 2)", kTriggerWindowWatch},
        {3, 9, nullptr, kTriggerManual},
    };
    for (int i = 0; i < 4; ++i) {
        const std::string name = "Task " + std::to_string(i);
        CSchedItem item;
        MakeScheduledWithCondition(item, name.c_str(), cases[i].action, cases[i].condType);
        folder_.Write(TaskPath(name), AsVersion4(item));
    }
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(scheduler_->collection.tasks.size(), 8u);
    for (int i = 0; i < 4; ++i) {
        const auto second = StoredTask("Trigger For - Task " + std::to_string(i));
        EXPECT_EQ(second->m_TriggerType, cases[i].triggerType) << i;
        if (cases[i].line == nullptr) {
            EXPECT_EQ(second->GetCommandCount(), 0) << i;
            EXPECT_EQ(second->m_CondAction, cases[i].action) << i;
        } else {
            ASSERT_EQ(second->GetCommandCount(), 1) << i;
            EXPECT_EQ(std::string(second->GetCommandLine(0)), cases[i].line) << i;
            EXPECT_EQ(second->m_CondAction, 1) << i;
        }
    }
}

TEST_F(TaskFolderLoaderTest, CurrentTaskWithScheduleAndEnabledConditionIsNotSplit)
{
    CSchedItem item;
    MakeScheduledWithCondition(item, "Backup", 2, 10);
    item.m_TriggerType = kTriggerScheduled;
    const Bytes image = StoreRecord(item);
    folder_.Write(TaskPath("Backup"), image);
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Backup"}));
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), image);
    EXPECT_EQ(folder_.FileNames("tasks").size(), 1u);
}

TEST_F(TaskFolderLoaderTest, Version1FileIsConvertedAndSplit)
{
    folder_.Write(TaskPath("Edit report"), FixtureBytes("task_v1.hex"));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Edit report", L"Trigger For - Edit report"}));
    const auto second = StoredTask("Trigger For - Edit report");
    EXPECT_EQ(std::string(second->GetCommandLine(0)), "DisableTask(Edit report)");
    // Old condition type 10 is a file that exists and is not locked.
    EXPECT_EQ(second->m_TriggerType, kTriggerFileWatch);
    EXPECT_EQ(StoredTask("Edit report")->m_CondEnabled, 0);
}

TEST_F(TaskFolderLoaderTest, SecondTaskAlreadyInTheFolderEndsInTheCollectionOnce)
{
    CSchedItem item;
    MakeScheduledWithCondition(item, "Backup", 1, 2);
    folder_.Write(TaskPath("Backup"), AsVersion4(item));
    CSchedItem earlier;
    earlier.m_Description = "Trigger For - Backup";
    folder_.Write(TaskPath("Trigger For - Backup"), StoreRecord(earlier));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Backup", L"Trigger For - Backup"}));
}

TEST_F(TaskFolderLoaderTest, SplitWhoseSecondTaskCannotBeSavedLeavesTheFirstAsItWas)
{
    CSchedItem item;
    MakeScheduledWithCondition(item, "Backup", 2, 10);
    const Bytes image = AsVersion4(item);
    folder_.Write(TaskPath("Backup"), image);
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf(TaskPath("Trigger For - Backup")).c_str(), nullptr));
    ASSERT_EQ(LoadAll(), S_OK);
    EXPECT_EQ(SortedDescriptions(), (std::vector<std::wstring>{L"Backup"}));
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), image);
}

}  // namespace
