// Scripts run inside the engine disable, enable, reset and run other tasks of
// that engine by name. The engine runs from its test copy beside this
// program, so the task files written here are the ones it loads.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

constexpr DWORD kEngineEndMs = 25000;
constexpr DWORD kRunMs = 30000;

class TaskControlEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
        ClearEngineFiles();
        DeleteFileW(ErrorLog().c_str());
        com_.emplace(COINIT_MULTITHREADED);
    }

    void TearDown() override
    {
        scheduler_.Reset();
        com_.reset();
        EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its client";
        DeleteFileW(ErrorLog().c_str());
    }

    static std::wstring ErrorLog() { return EngineFolder() + L"task-control-errors.log"; }

    // Connects to the engine with the task errors going to the log only.
    void Connect()
    {
        ASSERT_HRESULT_SUCCEEDED(scheduler_.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER));
        ASSERT_HRESULT_SUCCEEDED(scheduler_->put_DisplayErrors(0));
        ASSERT_HRESULT_SUCCEEDED(scheduler_->put_LogErrors(1));
        ASSERT_HRESULT_SUCCEEDED(scheduler_->put_ErrorFileName(Bstr(ErrorLog()).Get()));
    }

    ComPtr<IQVTask> Task(const wchar_t* description)
    {
        ComPtr<IQVTaskCollection> tasks;
        ComPtr<IQVTask> task;
        short index = -1;
        if (SUCCEEDED(scheduler_->QueryInterface(IID_IQVTaskCollection, tasks.ReceiveVoid())) &&
            SUCCEEDED(tasks->FindTaskIndex(Bstr(description).Get(), &index)) && index >= 0)
            tasks->Item(index, task.Receive());
        return task;
    }

    long Enabled(const wchar_t* description)
    {
        long enabled = -1;
        ComPtr<IQVTask> task = Task(description);
        if (task)
            task->get_Enabled(&enabled);
        return enabled;
    }

    bool Running(const wchar_t* description)
    {
        long running = 0;
        ComPtr<IQVTask> task = Task(description);
        return task && SUCCEEDED(task->get_IsRunning(&running)) && running != 0;
    }

    // Runs the task in the engine and waits for the end of its run.
    void RunInEngine(const wchar_t* description)
    {
        ComPtr<IQVTaskCollection> tasks;
        ASSERT_HRESULT_SUCCEEDED(scheduler_->QueryInterface(IID_IQVTaskCollection, tasks.ReceiveVoid()));
        short index = -1;
        ASSERT_HRESULT_SUCCEEDED(tasks->FindTaskIndex(Bstr(description).Get(), &index));
        ASSERT_GE(index, 0);
        ASSERT_HRESULT_SUCCEEDED(scheduler_->RunTask(index));
        // The launch marks the task running; the run's end clears it.
        WaitUntil([&] { return Running(description); }, 5000);
        ASSERT_TRUE(WaitUntil([&] { return !Running(description); }, kRunMs)) << "the run did not end";
    }

    std::optional<tvx::com::CoInit> com_;
    ComPtr<IQVScheduler> scheduler_;
};

TEST_F(TaskControlEngineTest, ScriptDisablesEnablesResetsAndRunsOtherTasksByName)
{
    WriteTaskFile(L"Target", {L"// target"});
    WriteTaskFile(L"Dormant", {L"// dormant"}, [](IQVTask* task) { task->put_Enabled(0); });
    WriteTaskFile(L"Other", {L"// other"});
    WriteTaskFile(L"Inner", {L"DisableTask(other)"});
    WriteTaskFile(L"Controller",
                  {L"DisableTask(TARGET)", L"EnableTask(dormant)", L"ResetTaskTrigger(Target)", L"RunTask(inner)"});
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_EQ(1, Enabled(L"Target"));
    ASSERT_EQ(0, Enabled(L"Dormant"));
    ASSERT_EQ(1, Enabled(L"Other"));

    ASSERT_NO_FATAL_FAILURE(RunInEngine(L"Controller"));
    EXPECT_EQ(0, Enabled(L"Target"));
    EXPECT_EQ(1, Enabled(L"Dormant"));
    EXPECT_EQ(0, Enabled(L"Other")) << "the line of the task run through RunTask";
    EXPECT_EQ("", ReadFileText(ErrorLog()));
}

TEST_F(TaskControlEngineTest, UnknownTaskFailsTheScriptWithTheEnginesCode)
{
    WriteTaskFile(L"Controller", {L"DisableTask(Controller)", L"EnableTask(Nobody)"});
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_NO_FATAL_FAILURE(RunInEngine(L"Controller"));
    const std::string log = ReadFileText(ErrorLog());
    EXPECT_NE(std::string::npos, log.find("[Controller] - ERROR: Unable to enable task\nNobody\nError: -2147467259")) << log;
    EXPECT_EQ(0, Enabled(L"Controller")) << "the line before the failing one";
}

TEST_F(TaskControlEngineTest, TaskThatRunsItselfIsRefusedAndTheEngineGoesOn)
{
    WriteTaskFile(L"Looper", {L"RunTask(First)"});
    WriteTaskFile(L"First", {L"RunTask(Second)"});
    WriteTaskFile(L"Second", {L"RunTask(first)"});
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_NO_FATAL_FAILURE(RunInEngine(L"Looper"));
    const std::string log = ReadFileText(ErrorLog());
    EXPECT_NE(std::string::npos, log.find("[Looper] - ERROR: RunTask refused: task \"first\" would run itself")) << log;
    long running = -1;
    EXPECT_HRESULT_SUCCEEDED(scheduler_->get_IsRunning(&running)) << "the engine still answers";
    EXPECT_EQ(1, Enabled(L"Looper"));
}

}  // namespace
}  // namespace enginetest
