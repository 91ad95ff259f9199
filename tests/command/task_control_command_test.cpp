// EnableTask, DisableTask, ResetTaskTrigger and RunTask against a stand-in
// scheduler that serves real tasks and command lists of the registered
// QvxTask and QvxCmd servers.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "command/macro_command.h"
#include "platform/com/bstr.h"
#include "platform/com/co_init.h"
#include "platform/com/com_ptr.h"
#include "qvxcmd.h"
#include "qvxtask.h"
#include "task/shared/module_directory.h"
#include "task_control_fake_scheduler.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

using Calls = std::vector<std::wstring>;

struct TaskScript {
    const wchar_t* name;
    std::vector<const wchar_t*> lines;
};

class TaskControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com_.Succeeded());
        ASSERT_HRESULT_SUCCEEDED(scheduler_.tasks.CreateInstance(CLSID_QVTaskCollection, CLSCTX_INPROC_SERVER));
    }

    void AddTask(const TaskScript& script)
    {
        ComPtr<IQVTask> task;
        ASSERT_HRESULT_SUCCEEDED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
        ASSERT_HRESULT_SUCCEEDED(task->put_Description(Bstr(script.name).Get()));
        ComPtr<IQVCmdCollection> commands;
        ASSERT_HRESULT_SUCCEEDED(task.As(commands));
        for (const wchar_t* line : script.lines) {
            ComPtr<IQVCommand> command;
            ASSERT_HRESULT_SUCCEEDED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
            ASSERT_HRESULT_SUCCEEDED(command->put_FullCommand(Bstr(line).Get()));
            ASSERT_HRESULT_SUCCEEDED(commands->Add(command.Get()));
        }
        ASSERT_HRESULT_SUCCEEDED(scheduler_.tasks->Add(task.Get()));
    }

    int Run(CMacroCommand& command, const char* line)
    {
        command.ParseLine(line);
        return command.ExecuteLine();
    }

    tvx::com::CoInit com_{COINIT_MULTITHREADED};
    FakeScheduler scheduler_;
};

// --- EnableTask, DisableTask, ResetTaskTrigger -------------------------------

struct StateCase {
    const char* line;
    const wchar_t* call;
    const char* failure;  // the text when the scheduler fails with E_INVALIDARG
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.line; }

class TaskStateTest : public TaskControlTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(TaskStateTest, ReachesTheSchedulerByName)
{
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    EXPECT_EQ(1, Run(command, GetParam().line));
    EXPECT_STREQ("", command.GetLastErrorString());
    EXPECT_EQ(Calls{GetParam().call}, scheduler_.calls);
}

TEST_P(TaskStateTest, FailureCarriesTheSchedulersCode)
{
    scheduler_.result = E_INVALIDARG;
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    EXPECT_EQ(0, Run(command, GetParam().line));
    EXPECT_STREQ(GetParam().failure, command.GetLastErrorString());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TaskStateTest,
    ::testing::Values(StateCase{"EnableTask(Nightly backup)", L"EnableTask(Nightly backup,1)",
                                "Unable to enable task\nNightly backup\nError: -2147024809"},
                      StateCase{"DisableTask(Nightly backup)", L"EnableTask(Nightly backup,0)",
                                "Unable to disable task\nNightly backup\nError: -2147024809"},
                      StateCase{"ResetTaskTrigger(Nightly backup)", L"ResetTrigger(Nightly backup)",
                                "Unable to reset task trigger\nNightly backup\nError: -2147024809"}));

TEST_F(TaskControlTest, WrongCountReachesNoScheduler)
{
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    for (const char* line : {"EnableTask(a,b)", "DisableTask()", "ResetTaskTrigger", "RunTask(a,b)"}) {
        EXPECT_EQ(0, Run(command, line)) << line;
        EXPECT_STREQ("Invalid Number of Parameters", command.GetLastErrorString()) << line;
    }
    EXPECT_EQ(Calls{}, scheduler_.calls);
}

TEST_F(TaskControlTest, OneSchedulerReferenceServesEveryLineUntilTheObjectGoes)
{
    {
        CMacroCommand command;
        command.UseScheduler(&scheduler_);
        const ULONG held = scheduler_.references;
        EXPECT_EQ(1u, held);
        Run(command, "EnableTask(a)");
        Run(command, "ResetTaskTrigger(a)");
        EXPECT_EQ(held, scheduler_.references);
    }
    EXPECT_EQ(0u, scheduler_.references);
}

// --- RunTask -------------------------------------------------------------------

struct RunTaskCase {
    const char* name;
    std::vector<TaskScript> tasks;
    const char* line;
    int result;
    const char* text;
    Calls calls;
};

void PrintTo(const RunTaskCase& c, std::ostream* os) { *os << c.name; }

class RunTaskTest : public TaskControlTest, public ::testing::WithParamInterface<RunTaskCase> {};

TEST_P(RunTaskTest, RunsTheOtherTasksLinesOnThisObject)
{
    for (const TaskScript& task : GetParam().tasks)
        ASSERT_NO_FATAL_FAILURE(AddTask(task));
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    EXPECT_EQ(GetParam().result, Run(command, GetParam().line));
    EXPECT_STREQ(GetParam().text, command.GetLastErrorString());
    EXPECT_EQ(GetParam().calls, scheduler_.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RunTaskTest,
    ::testing::Values(
        RunTaskCase{"EveryLineInOrder",
                    {{L"Backup", {L"EnableTask(x)", L"// a note", L"DisableTask(y)"}}},
                    "RunTask(backup)",
                    1,
                    "",
                    {L"EnableTask(x,1)", L"EnableTask(y,0)"}},
        RunTaskCase{"StopsAtTheFirstFailingLineKeepingItsText",
                    {{L"Backup", {L"EnableTask(x)", L"Bogus()", L"EnableTask(z)"}}},
                    "RunTask(Backup)",
                    0,
                    "Unknown command \"Bogus\"",
                    {L"EnableTask(x,1)"}},
        RunTaskCase{"TaskWithoutLinesSucceeds", {{L"Empty", {}}}, "RunTask(Empty)", 1, "", {}},
        RunTaskCase{"UnknownTask",
                    {{L"Backup", {L"EnableTask(x)"}}},
                    "RunTask(Nobody)",
                    0,
                    "Unable to retrieve task index for run task command",
                    {}},
        RunTaskCase{"TaskThatRunsItselfIsRefused",
                    {{L"Loop", {L"EnableTask(x)", L"RunTask(LOOP)", L"EnableTask(never)"}}},
                    "RunTask(Loop)",
                    0,
                    "RunTask refused: task \"LOOP\" would run itself",
                    {L"EnableTask(x,1)"}},
        RunTaskCase{"TaskThatRunsItselfThroughAnotherIsRefused",
                    {{L"First", {L"RunTask(Second)", L"EnableTask(never)"}},
                     {L"Second", {L"EnableTask(second)", L"RunTask(first)"}}},
                    "RunTask(FIRST)",
                    0,
                    "RunTask refused: task \"first\" would run itself",
                    {L"EnableTask(second,1)"}},
        RunTaskCase{"SameTaskTwiceInARowIsNoRecursion",
                    {{L"Outer", {L"RunTask(Inner)", L"RunTask(Inner)"}}, {L"Inner", {L"EnableTask(inner)"}}},
                    "RunTask(Outer)",
                    1,
                    "",
                    {L"EnableTask(inner,1)", L"EnableTask(inner,1)"}}),
    [](const ::testing::TestParamInfo<RunTaskCase>& info) { return std::string(info.param.name); });

TEST_F(TaskControlTest, RunTaskAfterStopExecutionRunsNothing)
{
    ASSERT_NO_FATAL_FAILURE(AddTask({L"Backup", {L"EnableTask(x)"}}));
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    command.StopExecution();
    EXPECT_EQ(0, Run(command, "RunTask(Backup)"));
    EXPECT_STREQ("User cancelled execution", command.GetLastErrorString());
    EXPECT_EQ(Calls{}, scheduler_.calls);
}

TEST_F(TaskControlTest, RunTaskWithoutTaskCollectionGivesTheCode)
{
    scheduler_.tasks = nullptr;
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    EXPECT_EQ(0, Run(command, "RunTask(Backup)"));
    EXPECT_STREQ("Failed to get the task collection object: 80004002", command.GetLastErrorString());
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stand-in helper lies beside this test program, as the shutdown helper
// ships beside its hosts; it records its command line and ends at once.
TEST_F(TaskControlTest, SessionEndingLineStartsTheHelperAndEndsRunTaskWithoutText)
{
    const std::string record = GetModuleDirectory() + "qvshutdown-record.txt";
    DeleteFileA(record.c_str());
    ASSERT_NO_FATAL_FAILURE(AddTask({L"Leave", {L"LogOff(FALSE)", L"EnableTask(after)"}}));
    CMacroCommand command;
    command.UseScheduler(&scheduler_);
    EXPECT_EQ(0, Run(command, "RunTask(Leave)"));
    EXPECT_STREQ("", command.GetLastErrorString());
    EXPECT_EQ(Calls{}, scheduler_.calls);

    std::string started;
    for (int i = 0; i < 200 && started.empty(); ++i) {
        Sleep(50);
        started = ReadFile(record);
    }
    const std::string ending = " /t LOGOFF /w 2\n";
    ASSERT_GE(started.size(), ending.size());
    EXPECT_EQ(ending, started.substr(started.size() - ending.size())) << started;
    DeleteFileA(record.c_str());
}

// --- The connection to the engine ----------------------------------------------

struct ConnectionCase {
    const char* line;
    const char* format;
};

// On a thread of a single-threaded apartment the multithreaded apartment
// can't be joined; the text names that code, not the thread's last error.
TEST(TaskControlConnectionTest, FailedConnectionTextCarriesItsCode)
{
    const ConnectionCase cases[] = {
        {"EnableTask(x)", "Unable to initial scheduler object: %d"},
        {"DisableTask(x)", "Unable to initial scheduler object: %d"},
        {"ResetTaskTrigger(x)", "Unable to initial scheduler object: %d"},
        {"RunTask(x)", "Unable to initialize scheduler object for Run Task: %d"},
    };
    for (const ConnectionCase& c : cases) {
        std::string text;
        int result = -1;
        std::thread caller([&] {
            tvx::com::CoInit apartment(COINIT_APARTMENTTHREADED);
            CMacroCommand command;
            command.ParseLine(c.line);
            SetLastError(ERROR_ACCESS_DENIED);
            result = command.ExecuteLine();
            text = static_cast<const char*>(command.GetLastErrorString());
        });
        caller.join();
        char expected[128];
        snprintf(expected, sizeof(expected), c.format, static_cast<int>(RPC_E_CHANGED_MODE));
        EXPECT_EQ(0, result) << c.line;
        EXPECT_EQ(expected, text) << c.line;
    }
}

}  // namespace
