// Task files on disk: reading by name, the rewrites a read makes, files that
// are refused, and saves that put a whole new file in place or leave the old
// one, also when the saving process is killed half-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "byte_image.h"
#include "platform/com/handle.h"
#include "record_stream.h"
#include "save_loop_records.h"
#include "scratch_folder.h"
#include "storage/sched_item.h"
#include "storage/storage_log.h"
#include "storage_test_values.h"

#ifndef SAVE_LOOP_HELPER
#error SAVE_LOOP_HELPER must name the helper program
#endif

namespace {

class TaskFileTest : public ::testing::Test {
protected:
    std::string TaskPath(const std::string& name) const { return "tasks\\" + name + ".tsk"; }
    std::string LogText() const
    {
        const Bytes bytes = folder_.Read("errors.log");
        return std::string(bytes.begin(), bytes.end());
    }
    CStorageLog Log() const { return CStorageLog(folder_.PathOf("errors.log").c_str()); }

    ScratchFolder folder_;
};

Bytes RecordNamed(const char* description)
{
    CSchedItem item;
    FillDistinctValues(item);
    item.m_Description = description;
    return StoreRecord(item);
}

TEST_F(TaskFileTest, ReadsTheFileOfTheNameAndLeavesItAsItIs)
{
    const Bytes image = FixtureBytes("task_v5.hex");
    folder_.Write(TaskPath("Backup"), image);
    CSchedItem item;
    CStorageLog log = Log();
    ASSERT_TRUE(item.LoadFromFile(folder_.Storage(), "Backup", log));
    EXPECT_EQ(std::string(item.m_Description), "Backup");
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), image);
}

TEST_F(TaskFileTest, FileNameWinsOverTheStoredDescription)
{
    folder_.Write(TaskPath("Backup"), RecordNamed("backup"));
    CSchedItem item;
    CStorageLog log = Log();
    ASSERT_TRUE(item.LoadFromFile(folder_.Storage(), "Backup", log));
    EXPECT_EQ(std::string(item.m_Description), "Backup");
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), RecordNamed("Backup"));
    EXPECT_EQ(folder_.FileNames("tasks").size(), 1u);
}

TEST_F(TaskFileTest, OldFormatFileIsRewrittenOnceInVersion5)
{
    folder_.Write(TaskPath("Edit report"), FixtureBytes("task_v1.hex"));
    CSchedItem item;
    CStorageLog log = Log();
    ASSERT_TRUE(item.LoadFromFile(folder_.Storage(), "Edit report", log));
    EXPECT_EQ(folder_.Read(TaskPath("Edit report")), FixtureBytes("task_v1_converted.hex"));
    EXPECT_EQ(folder_.FileNames("tasks").size(), 1u);
}

TEST_F(TaskFileTest, OldFormatFileWithAnotherStoredDescriptionEndsAsOneFile)
{
    // The file stores "Edit report" but is named Report.
    folder_.Write(TaskPath("Report"), FixtureBytes("task_v2.hex"));
    CSchedItem item;
    CStorageLog log = Log();
    ASSERT_TRUE(item.LoadFromFile(folder_.Storage(), "Report", log));
    EXPECT_EQ(std::string(item.m_Description), "Report");
    const std::vector<std::string> files = folder_.FileNames("tasks");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], "Report.tsk");
    CSchedItem rewritten;
    ASSERT_EQ(LoadRecord(rewritten, folder_.Read(TaskPath("Report"))), RecordLoad::loaded);
    EXPECT_EQ(rewritten.GetLoadedVersion(), 5);
    EXPECT_EQ(std::string(rewritten.m_Description), "Report");
    EXPECT_EQ(rewritten.m_StopMinutes, 30);
}

TEST_F(TaskFileTest, OldFormatFileThatCannotBeRewrittenIsStillReadAndReported)
{
    folder_.Write(TaskPath("Edit report"), FixtureBytes("task_v1.hex"));
    // Another reader that shares no deleting holds the file open.
    tvx::com::Handle reader(CreateFileA(folder_.PathOf(TaskPath("Edit report")).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    CSchedItem item;
    CStorageLog log = Log();
    ASSERT_TRUE(item.LoadFromFile(folder_.Storage(), "Edit report", log));
    EXPECT_EQ(item.GetCommandCount(), 1);
    EXPECT_NE(LogText().find("Failed to Save new format"), std::string::npos) << LogText();
    EXPECT_NE(LogText().find(folder_.PathOf(TaskPath("Edit report"))), std::string::npos) << LogText();
    EXPECT_EQ(folder_.Read(TaskPath("Edit report")), FixtureBytes("task_v1.hex"));
}

struct RefusedCase {
    const char* what;
    Bytes content;  // written as the task file unless missing
    bool missing;
    const char* logged;
};

TEST_F(TaskFileTest, UnreadableFilesAreRefusedReportedAndLeftAsTheyAre)
{
    Bytes truncated = FixtureBytes("task_v5.hex");
    truncated.resize(truncated.size() / 2);
    const RefusedCase cases[] = {
        {"missing", {}, true, "does not exist"},
        {"empty", {}, false, "is empty"},
        {"truncated", truncated, false, "is damaged"},
        {"foreign", BytesOf("hello world\r\nthis is a text file\r\n"), false, "is damaged"},
        {"version 9", [] {
             Bytes image = FixtureBytes("task_v5.hex");
             image[0] = 9;
             return image;
         }(), false, "is damaged"},
    };
    for (const RefusedCase& c : cases) {
        const std::string name = std::string("Refused ") + c.what;
        if (!c.missing)
            folder_.Write(TaskPath(name), c.content);
        CSchedItem item;
        CStorageLog log = Log();
        EXPECT_FALSE(item.LoadFromFile(folder_.Storage(), name.c_str(), log)) << c.what;
        const std::string logText = LogText();
        EXPECT_NE(logText.find(folder_.PathOf(TaskPath(name)) + " " + c.logged), std::string::npos)
            << c.what << ": " << logText;
        if (!c.missing) {
            EXPECT_EQ(folder_.Read(TaskPath(name)), c.content) << c.what;
        }
    }
}

TEST_F(TaskFileTest, FileLockedByAnotherWriterIsRefused)
{
    const Bytes image = FixtureBytes("task_v5.hex");
    folder_.Write(TaskPath("Backup"), image);
    tvx::com::Handle writer(CreateFileA(folder_.PathOf(TaskPath("Backup")).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    CSchedItem item;
    CStorageLog log = Log();
    EXPECT_FALSE(item.LoadFromFile(folder_.Storage(), "Backup", log));
    EXPECT_NE(LogText().find("could not be opened"), std::string::npos) << LogText();
}

TEST_F(TaskFileTest, SaveReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    folder_.Write(TaskPath("Backup"), FixtureBytes("task_v5.hex"));
    CSchedItem item;
    item.m_Description = "Backup";
    CStorageLog log = Log();
    ASSERT_TRUE(item.SaveToFile(folder_.PathOf(TaskPath("Backup")).c_str(), log));
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), StoreRecord(item));
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Backup.tsk"});
}

TEST_F(TaskFileTest, SaveThatCannotReplaceTheFileLeavesTheOldOne)
{
    const Bytes image = FixtureBytes("task_v5.hex");
    folder_.Write(TaskPath("Backup"), image);
    // A reader that shares neither writing nor deleting holds the file.
    tvx::com::Handle reader(CreateFileA(folder_.PathOf(TaskPath("Backup")).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    CSchedItem item;
    item.m_Description = "Backup";
    CStorageLog log = Log();
    EXPECT_FALSE(item.SaveToFile(folder_.PathOf(TaskPath("Backup")).c_str(), log));
    reader.Reset();
    EXPECT_EQ(folder_.Read(TaskPath("Backup")), image);
    EXPECT_EQ(folder_.FileNames("tasks"), std::vector<std::string>{"Backup.tsk"});
    EXPECT_NE(LogText().find("could not be saved"), std::string::npos) << LogText();
}

TEST_F(TaskFileTest, SaveIntoAFolderThatIsNotThereFails)
{
    CSchedItem item;
    CStorageLog log = Log();
    EXPECT_FALSE(item.SaveToFile(folder_.PathOf("no such folder\\x.tsk").c_str(), log));
    EXPECT_FALSE(folder_.Exists("no such folder"));
}

TEST_F(TaskFileTest, DefaultFileMissingOrEmptyIsAbsentQuietly)
{
    CSchedItem item;
    CStorageLog log = Log();
    EXPECT_EQ(item.LoadDefault(folder_.Storage(), log), CSchedItem::DefaultLoad::absent);
    folder_.Write("$default.tsk", Bytes());
    EXPECT_EQ(item.LoadDefault(folder_.Storage(), log), CSchedItem::DefaultLoad::absent);
    EXPECT_EQ(LogText(), "");
}

TEST_F(TaskFileTest, DamagedDefaultFileIsRefusedAndKept)
{
    const Bytes damaged = BytesOf("not a task file");
    folder_.Write("$default.tsk", damaged);
    CSchedItem item;
    CStorageLog log = Log();
    EXPECT_EQ(item.LoadDefault(folder_.Storage(), log), CSchedItem::DefaultLoad::refused);
    EXPECT_NE(LogText().find("default task file"), std::string::npos) << LogText();
    EXPECT_EQ(folder_.Read("$default.tsk"), damaged);
}

TEST_F(TaskFileTest, SavedDefaultFileReadsBack)
{
    CSchedItem item;
    item.m_Description = "Template";
    CStorageLog log = Log();
    ASSERT_TRUE(item.SaveDefault(folder_.Storage(), log));
    CSchedItem loaded;
    ASSERT_EQ(loaded.LoadDefault(folder_.Storage(), log), CSchedItem::DefaultLoad::loaded);
    EXPECT_EQ(std::string(loaded.m_Description), "Template");
    EXPECT_EQ(folder_.Read("$default.tsk"), StoreRecord(item));
}

// A process that saves the same task file in a loop is killed at random
// moments; each time the file must be one of the two records whole.
TEST_F(TaskFileTest, SaveInterruptedAtRandomLeavesTheOldOrTheNewFile)
{
    CSchedItem firstRecord;
    CSchedItem secondRecord;
    MakeSaveLoopRecord(firstRecord, 0);
    MakeSaveLoopRecord(secondRecord, 1);
    const Bytes firstImage = StoreRecord(firstRecord);
    const Bytes secondImage = StoreRecord(secondRecord);
    folder_.Write(TaskPath(kSaveLoopTaskName), firstImage);

    // Kills land anywhere in the first few saves after the helper's first:
    // the pauses span several save times, as this machine takes them now.
    const DWORD start = GetTickCount();
    CStorageLog log = Log();
    for (int save = 0; save < 3; ++save)
        ASSERT_TRUE((save % 2 == 0 ? secondRecord : firstRecord).SaveToFile(CString(folder_.PathOf("timing.tsk").c_str()), log));
    const int saveMs = static_cast<int>((GetTickCount() - start) / 3);
    std::mt19937 random(20250115);
    std::uniform_int_distribution<int> pause(0, 40 + 4 * saveMs);
    int sawFirst = 0;
    int sawSecond = 0;
    for (int round = 0; round < 24; ++round) {
        const std::string eventName = "storage-save-loop-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(round);
        tvx::com::Handle ready(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
        // Wine maps the host's root to drive Z:.
        std::string commandLine = std::string("\"Z:") + SAVE_LOOP_HELPER + "\" \"" + folder_.Path() + ".\" " + eventName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &started));
        tvx::com::Handle process(started.hProcess);
        tvx::com::Handle thread(started.hThread);
        ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0) << "the helper never saved";
        Sleep(static_cast<DWORD>(pause(random)));
        TerminateProcess(process.Get(), 9);
        ASSERT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.Get(), &exitCode);
        ASSERT_EQ(exitCode, 9u) << "round " << round << ": the helper ended by itself (a save failed)";

        const Bytes now = folder_.Read(TaskPath(kSaveLoopTaskName));
        const bool isFirst = now == firstImage;
        const bool isSecond = now == secondImage;
        ASSERT_TRUE(isFirst || isSecond) << "round " << round << ": a file of " << now.size() << " bytes";
        sawFirst += isFirst;
        sawSecond += isSecond;
    }
    std::printf("saves take %d ms; the file was the first record %d times, the second %d times\n", saveMs, sawFirst,
                sawSecond);
    EXPECT_GT(sawFirst, 0) << "saves take " << saveMs << " ms";
    EXPECT_GT(sawSecond, 0) << "saves take " << saveMs << " ms";
    // Killed saves may leave a temporary file, never another task file.
    for (const std::string& name : folder_.FileNames("tasks")) {
        const bool temporary = name.size() > 4 && name.substr(name.size() - 4) == ".tmp";
        EXPECT_TRUE(name == std::string(kSaveLoopTaskName) + ".tsk" || temporary) << name;
    }
}

}  // namespace
