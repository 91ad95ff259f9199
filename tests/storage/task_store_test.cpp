// Reading, writing and deleting a task's file through the task storage,
// with a task double: the property-by-property copy both ways, renames,
// refused descriptions and storage types, the default task file, and files
// that can't be read. QvxCmd must be registered (the command lines become
// QVCommand objects).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "byte_image.h"
#include "fake_scheduler.h"
#include "fake_task.h"
#include "fake_task_values.h"
#include "platform/com/bstr.h"
#include "platform/com/co_init.h"
#include "platform/com/handle.h"
#include "record_stream.h"
#include "scratch_folder.h"
#include "storage/sched_item.h"
#include "storage/task_store.h"
#include "storage_test_values.h"

using tvx::com::ComPtr;

namespace {

class TaskStoreTest : public ::testing::Test {
protected:
    // A task named so, whose error log is in the scratch folder.
    ComPtr<FakeTask> NewTask(const wchar_t* description)
    {
        ComPtr<FakeTask> task = FakeTask::Create(folder_.Storage());
        task->values.SetText("Description", description);
        task->values.SetText("ErrorLogFile", Wide(folder_.PathOf("errors.log")));
        return task;
    }
    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
    static IDispatch* AsDispatch(FakeTask* task) { return static_cast<IQVTask*>(task); }
    std::string TaskPath(const std::string& name) const { return "tasks\\" + name + ".tsk"; }
    std::string LogText() const
    {
        const Bytes bytes = folder_.Read("errors.log");
        return std::string(bytes.begin(), bytes.end());
    }
    HRESULT Write(FakeTask* task, short type) { return store_.Write(AsDispatch(task), type); }
    HRESULT Read(FakeTask* task, short type) { return store_.Read(AsDispatch(task), type); }
    HRESULT Delete(FakeTask* task) { return store_.Delete(AsDispatch(task), 0); }

    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
    ScratchFolder folder_;
    CTaskStore store_{folder_.Storage()};
};

TEST_F(TaskStoreTest, WriteCopiesEveryPropertyIntoTheFile)
{
    ComPtr<FakeTask> task = NewTask(L"Backup");
    SetDistinctProperties(*task.Get());
    const COleDateTime before = COleDateTime::GetCurrentTime();
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();

    const Bytes written = folder_.Read(TaskPath("Backup"));
    CSchedItem loaded;
    ASSERT_EQ(LoadRecord(loaded, written), RecordLoad::loaded);
    // The record's own date is the moment it was made.
    EXPECT_GE(loaded.m_ReservedDate, before);
    EXPECT_EQ(loaded.m_ReservedDate.GetStatus(), COleDateTime::valid);
    CSchedItem expected;
    FillDistinctValues(expected);
    expected.m_CondReserved = 0;
    expected.m_ReservedDate = loaded.m_ReservedDate;
    EXPECT_EQ(written, StoreRecord(expected));
}

TEST_F(TaskStoreTest, ReadCopiesEveryPropertyIntoTheTask)
{
    folder_.Write(TaskPath("Backup"), FixtureBytes("task_v5.hex"));
    ComPtr<FakeTask> task = NewTask(L"Backup");
    ASSERT_EQ(Read(task.Get(), 0), S_OK) << store_.ErrorText();
    ExpectDistinctProperties(*task.Get());
    EXPECT_EQ(task->CommandLines(), (std::vector<std::wstring>{L"RunProgram(notepad.exe)", L"Delay(5,Seconds)"}));
}

TEST_F(TaskStoreTest, WrittenTaskReadsBackWithEveryPropertyAndCommand)
{
    ComPtr<FakeTask> written = NewTask(L"Backup");
    SetDistinctProperties(*written.Get());
    ASSERT_EQ(Write(written.Get(), 0), S_OK) << store_.ErrorText();
    ComPtr<FakeTask> read = NewTask(L"Backup");
    ASSERT_EQ(Read(read.Get(), 0), S_OK) << store_.ErrorText();
    ExpectDistinctProperties(*read.Get());
    EXPECT_EQ(read->CommandLines(), written->CommandLines());
}

TEST_F(TaskStoreTest, ReadAppendsTheStoredLinesBehindTheTasksOwn)
{
    folder_.Write(TaskPath("Backup"), FixtureBytes("task_v5.hex"));
    ComPtr<FakeTask> task = NewTask(L"Backup");
    task->AddCommandLine(L"MessageBox(already,there)");
    ASSERT_EQ(Read(task.Get(), 0), S_OK);
    EXPECT_EQ(task->CommandLines(), (std::vector<std::wstring>{L"MessageBox(already,there)", L"RunProgram(notepad.exe)",
                                                               L"Delay(5,Seconds)"}));
}

TEST_F(TaskStoreTest, FileThatCannotBeReadLeavesTheTaskUntouched)
{
    Bytes truncated = FixtureBytes("task_v5.hex");
    truncated.resize(100);
    folder_.Write(TaskPath("Truncated"), truncated);
    folder_.Write(TaskPath("Foreign"), BytesOf("MZ\x90\x00 not a task"));
    folder_.Write(TaskPath("Empty"), Bytes());
    for (const wchar_t* name : {L"Missing", L"Truncated", L"Foreign", L"Empty"}) {
        ComPtr<FakeTask> task = NewTask(name);
        task->AddCommandLine(L"Delay(1,Seconds)");
        task->ForgetChanges();
        EXPECT_EQ(Read(task.Get(), 0), E_FAIL) << name;
        EXPECT_TRUE(task->Untouched()) << name;
        const std::string path = folder_.PathOf(TaskPath(std::string(name, name + wcslen(name))));
        EXPECT_NE(std::string(store_.ErrorText()).find(path), std::string::npos) << store_.ErrorText();
        EXPECT_NE(LogText().find(path), std::string::npos) << LogText();
    }
    EXPECT_EQ(folder_.Read(TaskPath("Truncated")), truncated);
}

TEST_F(TaskStoreTest, NullOrNonTaskObjectsAndUnknownTypesAreRefused)
{
    ComPtr<FakeScheduler> notATask = FakeScheduler::Create();
    IDispatch* scheduler = static_cast<IQVScheduler*>(notATask.Get());
    EXPECT_EQ(store_.Read(nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(store_.Write(nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(store_.Delete(nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(store_.Read(scheduler, 0), E_FAIL);
    EXPECT_EQ(store_.Write(scheduler, 0), E_FAIL);
    EXPECT_EQ(store_.Delete(scheduler, 0), E_FAIL);

    folder_.Write(TaskPath("Backup"), FixtureBytes("task_v5.hex"));
    for (short type : {short(2), short(-1)}) {
        ComPtr<FakeTask> task = NewTask(L"Backup");
        task->ForgetChanges();
        EXPECT_EQ(Read(task.Get(), type), E_FAIL) << type;
        EXPECT_TRUE(task->Untouched()) << type;
    }
}

TEST_F(TaskStoreTest, UnknownTypeWritesAndDeletesNothing)
{
    folder_.Write(TaskPath("Old"), FixtureBytes("task_v5.hex"));
    ComPtr<FakeTask> task = NewTask(L"New");
    task->values.SetText("OldDescription", L"Old");
    EXPECT_EQ(Write(task.Get(), 2), E_FAIL);
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Old.tsk"});
    EXPECT_EQ(task->values.Text("OldDescription"), L"Old");
}

TEST_F(TaskStoreTest, DescriptionThatCannotBeAFileNameIsRefusedBeforeAnythingHappens)
{
    folder_.Write("victim.tsk", BytesOf("keep me"));
    folder_.Write(TaskPath("Kept"), FixtureBytes("task_v5.hex"));
    for (const wchar_t* name : {L"..\\victim", L"sub\\dir", L"a/b", L"CON", L"", L"..", L"what?", L"C:x"}) {
        ComPtr<FakeTask> task = NewTask(name);
        task->ForgetChanges();
        EXPECT_EQ(Write(task.Get(), 0), E_INVALIDARG);
        EXPECT_EQ(Read(task.Get(), 0), E_INVALIDARG);
        EXPECT_EQ(Delete(task.Get()), E_INVALIDARG);
        EXPECT_TRUE(task->Untouched());
    }
    // A rename from a name that can't be a file name deletes nothing.
    ComPtr<FakeTask> renamed = NewTask(L"Fine");
    renamed->values.SetText("OldDescription", L"..\\victim");
    EXPECT_EQ(Write(renamed.Get(), 0), E_INVALIDARG);
    EXPECT_EQ(folder_.Read("victim.tsk"), BytesOf("keep me"));
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Kept.tsk"});
}

// A task file path must stay below MAX_PATH: the longest description that
// fits is saved, read and deleted; one character more is refused by all
// three before anything is written.
TEST_F(TaskStoreTest, DescriptionWhosePathIsTooLongIsRefusedAndTheLongestThatFitsWorksEndToEnd)
{
    const int room = MAX_PATH - 1 - folder_.Storage().TaskFilePath("").GetLength();
    ASSERT_GT(room, 1);
    ASSERT_LE(room + 1, 251) << "the scratch folder is too short for this test";
    const std::wstring longest(static_cast<size_t>(room), L'x');
    const std::wstring tooLong(static_cast<size_t>(room + 1), L'x');

    ComPtr<FakeTask> refused = NewTask(tooLong.c_str());
    SetDistinctProperties(*refused.Get());
    refused->values.SetText("Description", tooLong);
    refused->ForgetChanges();
    EXPECT_EQ(Write(refused.Get(), 0), E_INVALIDARG);
    EXPECT_NE(std::string(store_.ErrorText()).find("too long"), std::string::npos) << store_.ErrorText();
    EXPECT_EQ(Read(refused.Get(), 0), E_INVALIDARG);
    EXPECT_EQ(Delete(refused.Get()), E_INVALIDARG);
    EXPECT_TRUE(refused->Untouched());
    EXPECT_TRUE(folder_.FileNames("tasks").empty());

    ComPtr<FakeTask> task = NewTask(longest.c_str());
    SetDistinctProperties(*task.Get());
    task->values.SetText("Description", longest);
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    const std::string fileName = std::string(static_cast<size_t>(room), 'x') + ".tsk";
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{fileName});
    ComPtr<FakeTask> again = NewTask(longest.c_str());
    ASSERT_EQ(Read(again.Get(), 0), S_OK) << store_.ErrorText();
    EXPECT_EQ(again->values.Text("Description"), longest);
    EXPECT_EQ(again->values.Text("LogFile"), task->values.Text("LogFile"));
    ASSERT_EQ(Delete(again.Get()), S_OK) << store_.ErrorText();
    EXPECT_TRUE(folder_.FileNames("tasks").empty());

    // A rename away from a name too long for a file saves the new one.
    ComPtr<FakeTask> renamed = NewTask(L"Short");
    renamed->values.SetText("OldDescription", tooLong);
    EXPECT_EQ(Write(renamed.Get(), 0), S_OK) << store_.ErrorText();
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Short.tsk"});
}

TEST_F(TaskStoreTest, RenameDeletesOldFileOnlyAfterSaveAndForgetsTheOldName)
{
    ComPtr<FakeTask> task = NewTask(L"Alpha");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    task->values.SetText("Description", L"Beta");
    task->values.SetText("OldDescription", L"Alpha");
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Beta.tsk"});
    EXPECT_EQ(task->values.Text("OldDescription"), L"");

    // A new task takes the old name; saving the renamed one again leaves it.
    ComPtr<FakeTask> newcomer = NewTask(L"Alpha");
    ASSERT_EQ(Write(newcomer.Get(), 0), S_OK);
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    EXPECT_TRUE(folder_.Exists(TaskPath("Alpha")));
    EXPECT_TRUE(folder_.Exists(TaskPath("Beta")));
}

TEST_F(TaskStoreTest, RenameWhoseSaveFailsKeepsTheOldFileAndName)
{
    ComPtr<FakeTask> task = NewTask(L"Alpha");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    const Bytes alpha = folder_.Read(TaskPath("Alpha"));
    // A folder stands where the new file would go.
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf(TaskPath("Beta")).c_str(), nullptr));
    task->values.SetText("Description", L"Beta");
    task->values.SetText("OldDescription", L"Alpha");
    EXPECT_EQ(Write(task.Get(), 0), E_FAIL);
    EXPECT_EQ(folder_.Read(TaskPath("Alpha")), alpha);
    EXPECT_EQ(task->values.Text("OldDescription"), L"Alpha");
    EXPECT_NE(LogText().find("could not be saved"), std::string::npos) << LogText();
}

TEST_F(TaskStoreTest, RenameOfTheLetterCaseOnlyKeepsTheFile)
{
    ComPtr<FakeTask> task = NewTask(L"report");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    task->values.SetText("Description", L"Report");
    task->values.SetText("OldDescription", L"report");
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    ASSERT_EQ(folder_.FileNames("tasks").size(), 1u);
    ComPtr<FakeTask> read = NewTask(L"Report");
    ASSERT_EQ(Read(read.Get(), 0), S_OK);
    EXPECT_EQ(read->values.Text("Description"), L"Report");
    EXPECT_EQ(task->values.Text("OldDescription"), L"");
}

TEST_F(TaskStoreTest, SavingAsTheDefaultTaskRenamesNothing)
{
    ComPtr<FakeTask> task = NewTask(L"Alpha");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    task->values.SetText("Description", L"Beta");
    task->values.SetText("OldDescription", L"Alpha");
    ASSERT_EQ(Write(task.Get(), 1), S_OK);
    EXPECT_TRUE(folder_.Exists("$default.tsk"));
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Alpha.tsk"});
    EXPECT_EQ(task->values.Text("OldDescription"), L"Alpha");
}

TEST_F(TaskStoreTest, WriteMakesTheTasksFolderWhenItIsMissing)
{
    ASSERT_FALSE(folder_.Exists("tasks"));
    ComPtr<FakeTask> task = NewTask(L"First");
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    EXPECT_TRUE(folder_.Exists(TaskPath("First")));
}

// A save killed midway leaves its temporary file; the next save takes it
// away, and with it only files named as the saves name theirs.
TEST_F(TaskStoreTest, SaveRemovesTheTemporaryFilesOfSavesKilledMidwayAndNothingElse)
{
    for (const char* left : {"qvx1A2B.tmp", "QVX7.TMP", "qvxffff.tmp"})
        folder_.Write(std::string("tasks\\") + left, BytesOf("half a task"));
    for (const char* kept : {"qvxnotes.tmp", "qvx12345.tmp", "other.tmp", "qvx1.tsk"})
        folder_.Write(std::string("tasks\\") + kept, BytesOf("someone's file"));
    ComPtr<FakeTask> task = NewTask(L"Saved");
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    std::vector<std::string> names = folder_.FileNames("tasks");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Saved.tsk", "other.tmp", "qvx1.tsk", "qvx12345.tmp", "qvxnotes.tmp"}));
}

// A program that writes without the folder's lock and still holds its file
// open keeps it; the save goes on.
TEST_F(TaskStoreTest, TemporaryFileStillOpenStaysAndTheSaveSucceeds)
{
    folder_.Write("tasks\\qvx2C.tmp", BytesOf("being written"));
    const tvx::com::Handle open(CreateFileA(folder_.PathOf("tasks\\qvx2C.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(open);
    ComPtr<FakeTask> task = NewTask(L"Saved");
    ASSERT_EQ(Write(task.Get(), 0), S_OK) << store_.ErrorText();
    EXPECT_TRUE(folder_.Exists("tasks\\qvx2C.tmp"));
    EXPECT_TRUE(folder_.Exists(TaskPath("Saved")));
}

TEST_F(TaskStoreTest, DefaultReadWithoutAFileWritesTheDefaultsAndGivesThem)
{
    ComPtr<FakeTask> task = NewTask(L"whatever");
    ASSERT_EQ(Read(task.Get(), 1), S_OK) << store_.ErrorText();
    EXPECT_EQ(task->values.Text("Description"), L"<untitled>");
    EXPECT_EQ(task->schedule.values.Number("ScheduledIndefinately"), 1);
    EXPECT_EQ(task->schedule.values.Number("IncludeHolidays"), 1);
    EXPECT_EQ(task->schedule.values.Number("Multiplier"), 1);
    EXPECT_EQ(task->schedule.values.Number("IsMonthScheduled11"), 1);
    CSchedItem stored;
    ASSERT_EQ(LoadRecord(stored, folder_.Read("$default.tsk")), RecordLoad::loaded);
    EXPECT_EQ(std::string(stored.m_Description), "<untitled>");
    EXPECT_EQ(stored.m_ScheduledIndefinately, 1);
    EXPECT_EQ(stored.m_IncludeHolidays, 1);
}

TEST_F(TaskStoreTest, DefaultTaskWrittenAndReadBack)
{
    ComPtr<FakeTask> task = NewTask(L"Template");
    SetDistinctProperties(*task.Get());
    ASSERT_EQ(Write(task.Get(), 1), S_OK);
    ComPtr<FakeTask> read = NewTask(L"");
    ASSERT_EQ(Read(read.Get(), 1), S_OK);
    EXPECT_EQ(read->values.Text("Description"), L"Backup");
    ExpectDistinctProperties(*read.Get());
}

TEST_F(TaskStoreTest, DamagedDefaultFileIsRefusedAndKept)
{
    const Bytes damaged = BytesOf("\x05\x00\x00\x00\x40truncated");
    folder_.Write("$default.tsk", damaged);
    ComPtr<FakeTask> task = NewTask(L"x");
    task->ForgetChanges();
    EXPECT_EQ(Read(task.Get(), 1), E_FAIL);
    EXPECT_TRUE(task->Untouched());
    EXPECT_EQ(folder_.Read("$default.tsk"), damaged);
}

TEST_F(TaskStoreTest, DefaultFileThatCannotBeWrittenFails)
{
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf("$default.tsk").c_str(), nullptr));
    ComPtr<FakeTask> task = NewTask(L"x");
    EXPECT_EQ(Write(task.Get(), 1), E_FAIL);
    EXPECT_NE(LogText().find("default task file"), std::string::npos) << LogText();
}

TEST_F(TaskStoreTest, DeleteRemovesTheFileAndAcceptsAMissingOne)
{
    ComPtr<FakeTask> task = NewTask(L"Gone");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    EXPECT_EQ(Delete(task.Get()), S_OK);
    EXPECT_FALSE(folder_.Exists(TaskPath("Gone")));
    EXPECT_EQ(Delete(task.Get()), S_OK);
}

TEST_F(TaskStoreTest, DeleteThatIsRefusedFails)
{
    ComPtr<FakeTask> task = NewTask(L"Held");
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    tvx::com::Handle holder(CreateFileA(folder_.PathOf(TaskPath("Held")).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(Delete(task.Get()), E_FAIL);
    holder.Reset();
    EXPECT_TRUE(folder_.Exists(TaskPath("Held")));
}

TEST_F(TaskStoreTest, PartsTheTaskDoesNotGiveAreSkipped)
{
    ComPtr<FakeTask> task = NewTask(L"Bare");
    SetDistinctProperties(*task.Get());
    task->values.SetText("Description", L"Bare");
    task->givesSchedule = false;
    task->givesCondition = false;
    task->givesCommands = false;
    ASSERT_EQ(Write(task.Get(), 0), S_OK);
    CSchedItem stored;
    ASSERT_EQ(LoadRecord(stored, folder_.Read(TaskPath("Bare"))), RecordLoad::loaded);
    CSchedItem defaults;
    EXPECT_EQ(stored.m_IsLog, 9);
    EXPECT_EQ(stored.m_Frequency, defaults.m_Frequency);
    EXPECT_EQ(stored.m_Multiplier, defaults.m_Multiplier);
    EXPECT_EQ(stored.m_CondType, defaults.m_CondType);
    EXPECT_EQ(stored.GetCommandCount(), 0);

    ComPtr<FakeTask> bare = NewTask(L"Backup");
    bare->givesSchedule = false;
    bare->givesCondition = false;
    bare->givesCommands = false;
    folder_.Write(TaskPath("Backup"), FixtureBytes("task_v5.hex"));
    ASSERT_EQ(Read(bare.Get(), 0), S_OK);
    EXPECT_EQ(bare->values.Number("StopMinutes"), 20);
    EXPECT_TRUE(bare->schedule.values.Puts().empty());
}

// The lines the old-format conversion writes, read by the command language
// itself (QvxCmd's parser).
TEST_F(TaskStoreTest, ConvertedOldActionReadsAsTheCommandLanguageMeansIt)
{
    folder_.Write(TaskPath("Edit report"), FixtureBytes("task_v1.hex"));
    ComPtr<FakeTask> task = NewTask(L"Edit report");
    ASSERT_EQ(Read(task.Get(), 0), S_OK) << store_.ErrorText();
    ComPtr<IQVCommand> command;
    ASSERT_EQ(task->Commands()->Item(0, command.Receive()), S_OK);
    tvx::com::Bstr text;
    command->GetCommandType(text.Receive());
    EXPECT_EQ(text.ToString(), L"RunProgram");
    command->GetParameterAsString(1, text.Receive());
    EXPECT_EQ(text.ToString(), L"\"C:\\Program Files\\Editor\\edit.exe\" /n report.txt");
    command->GetParameterAsString(2, text.Receive());
    EXPECT_EQ(text.ToString(), L"");
    command->GetParameterAsString(3, text.Receive());
    EXPECT_EQ(text.ToString(), L"Maximized");
    EXPECT_EQ(task->values.Number("TriggerType"), 1);
}

}  // namespace
