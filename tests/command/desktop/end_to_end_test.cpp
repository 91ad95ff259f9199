// The desktop commands through the registered QvxCmd component, as the task
// run and the administrator drive them: single lines through IQVCommand::Run
// and a whole script through AddToQue and ExecuteQue.
#include <atomic>
#include <string>
#include <thread>

#include "command/desktop/desktop_resource.h"
#include "desktop_test_support.h"
#include "platform/com/com.h"
#include "qvxcmd.h"

namespace desktop_test {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

class DesktopThroughComponent : public ::testing::Test {
protected:
    void TearDown() override { EndHelperProcesses(); }

    ComPtr<IQVCommand> NewCommand()
    {
        ComPtr<IQVCommand> command;
        EXPECT_EQ(S_OK, command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER))
            << "QvxCmd.QVCommand is not registered";
        return command;
    }

    // Parses and runs one line; the HRESULT of Run.
    HRESULT RunLine(IQVCommand* command, const std::wstring& line)
    {
        const Bstr text(line.c_str());
        EXPECT_EQ(S_OK, command->put_FullCommand(text.Get()));
        return command->Run();
    }

    static std::wstring LastError(IQVCommand* command)
    {
        Bstr text;
        EXPECT_EQ(S_OK, command->get_LastErrorString(text.Receive()));
        return text.ToString();
    }

    tvx::com::CoInit m_com{COINIT_APARTMENTTHREADED};
};

TEST_F(DesktopThroughComponent, EveryDesktopKeywordReachesItsCommand)
{
    // Each line breaks its command's count rule, so each answer comes from
    // the command itself.
    const struct {
        const wchar_t* line;
        const wchar_t* failure;
    } cases[] = {
        {L"RunProgram()", L"Invalid Number of Parameters"},
        {L"RunDOSCommand()", L"Invalid Number of Parameters"},
        {L"DisplayMessage(a,1)", L"Wrong number of parameters"},
        {L"SetActiveWindow(a,b)", L"Wrong number of parameters"},
        {L"MaximizeWindow(a,b)", L"Wrong number of parameters"},
        {L"MinimizeWindow(a,b)", L"Wrong number of parameters"},
        {L"RestoreWindow(a,b)", L"Wrong number of parameters"},
        {L"CloseWindow(a,b)", L"Wrong number of Parameters"},
        {L"InputBox(a)", L"Wrong number of parameters"},
        {L"MessageBox(a)", L"Wrong number of parameters"},
        {L"Delay()", L"Wrong number of parameters"},
        {L"WaitForProgram(1,2)", L"Wrong number of parameters"},
        {L"SendKeysToWindow(a)", L"Wrong number of parameters"},
        {L"SendKeysFromFile()", L"Wrong number of parameters"},
        {L"LogToFile(a)", L"Wrong number of Parameters"},
        {L"QuitProgram()", L"Wrong number of Parameters"},
        // Past the count rule: the commands' own failures.
        {L"SendKeys(ab{tab)", L"sendkey function found an opening brace without a closing brace"},
        {L"QuitProgram(Tarvex Nowhere 7Q)", L"Unable to Quit Program Tarvex Nowhere 7Q"},
        {L"CloseWindow(Tarvex Nowhere 7Q)", L"Unable to Close Window Tarvex Nowhere 7Q"},
    };
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    for (const auto& c : cases) {
        EXPECT_EQ(E_FAIL, RunLine(command.Get(), c.line)) << std::string(c.line, c.line + wcslen(c.line));
        EXPECT_EQ(c.failure, LastError(command.Get()));
    }
}

TEST_F(DesktopThroughComponent, DisplayMessageShowsTheComponentsDialog)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    DialogDismisser dismisser({"Message Display", {IDC_MESSAGE_TEXT, IDOK}, IDOK});
    EXPECT_EQ(S_OK, RunLine(command.Get(), L"DisplayMessage(Shown by the component,0,0)"));
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.texts.at(IDC_MESSAGE_TEXT), "Shown by the component");
    EXPECT_EQ(seen.texts.at(IDOK), "OK");
}

TEST_F(DesktopThroughComponent, InputBoxShowsTheComponentsPrompt)
{
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    DialogDismisser::Plan plan{"Tarvex Question", {IDC_PROMPT_TEXT, IDC_PROMPT_ANSWER, IDCANCEL}, IDOK};
    plan.answerControl = IDC_PROMPT_ANSWER;
    plan.answer = "yes";
    DialogDismisser dismisser(plan);
    EXPECT_EQ(S_OK, RunLine(command.Get(), L"InputBox(Tarvex Question,Continue?)"));
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.texts.at(IDC_PROMPT_TEXT), "Continue?");
    EXPECT_EQ(seen.texts.at(IDCANCEL), "Cancel");
}

TEST_F(DesktopThroughComponent, ScriptStartsTypesClosesWaitsAndLogs)
{
    const std::string saved = TestDirectory() + "script_text_7q.txt";
    const std::string log = TestDirectory() + "script_7q.log";
    DeleteFileA(saved.c_str());
    DeleteFileA(log.c_str());
    const std::string recorder = "\"" + HelperPath(kKeyRecorder) + "\" --title \"Tarvex Script Recorder 7Q\" --save \"" +
                                 saved + "\"";
    const std::wstring script[] = {
        L"// start a program, type into its window, close it, log a line",
        L"RunProgram(" + Wide(recorder) + L",,Normal)",
        L"SendKeysToWindow(Tarvex Script*,Hello +(world)~done)",
        // Typed keys reach the window through the input queue: give the last
        // ones time to arrive before the window is closed.
        L"Delay(500,Milliseconds)",
        L"CloseWindow(Tarvex Script Recorder 7Q)",
        L"WaitForProgram(10000)",
        L"LogToFile(" + Wide(log) + L",Script finished)",
    };
    ComPtr<IQVCommand> command = NewCommand();
    ASSERT_TRUE(command);
    EXPECT_EQ(S_OK, command->put_SendKeyDelay(10));
    for (const std::wstring& line : script) {
        const Bstr text(line.c_str());
        ASSERT_EQ(S_OK, command->AddToQue(text.Get()));
    }
    const HRESULT run = command->ExecuteQue();
    const std::wstring reason = LastError(command.Get());
    EXPECT_EQ(S_OK, run) << std::string(reason.begin(), reason.end());

    EXPECT_EQ(ReadWholeFile(saved), "Hello WORLD\r\ndone");
    const std::string logged = ReadWholeFile(log);
    const std::string tail = " Script finished\r\n";
    ASSERT_GE(logged.size(), tail.size()) << logged;
    EXPECT_EQ(logged.substr(logged.size() - tail.size()), tail);
    long process = 0;
    EXPECT_EQ(S_OK, command->get_ProcessHandle(&process));
    EXPECT_EQ(process, 0);
    DeleteFileA(saved.c_str());
    DeleteFileA(log.c_str());
}

// A key text that would type for months ends when the run is asked to
// stop, as the task's Stop asks its command object.
TEST_F(DesktopThroughComponent, StopExecutionEndsTypingThatWouldNotEndByItself)
{
    HelperProcess recorder(kKeyRecorder, "--title \"Tarvex Endless Recorder 7Q\"");
    ASSERT_TRUE(recorder.Started());
    recorder.WaitUntilReady(10000);
    HWND window = WaitForWindow("Tarvex Endless Recorder 7Q", 10000);
    ASSERT_NE(window, nullptr);

    std::atomic<IQVCommand*> running{nullptr};
    std::atomic<bool> done{false};
    HRESULT run = S_OK;
    std::wstring reason;
    std::thread worker([&] {
        tvx::com::CoInit com(COINIT_MULTITHREADED);
        ComPtr<IQVCommand> command;
        if (FAILED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER))) {
            run = E_NOINTERFACE;
            done = true;
            return;
        }
        for (const wchar_t* line : {L"SendKeysToWindow(Tarvex Endless*,{x 2000000000})", L"Delay(1,Milliseconds)"})
            command->AddToQue(Bstr(line).Get());
        running = command.Get();
        run = command->ExecuteQue();
        running = nullptr;
        Bstr text;
        command->get_LastErrorString(text.Receive());
        reason = text.ToString();
        done = true;
    });

    const bool typing = WaitUntil([&] { return !RecordedText(window).empty(); }, 10000);
    IQVCommand* command = running.load();
    if (command != nullptr) {
        EXPECT_EQ(S_OK, command->StopExecution());
    }
    const ULONGLONG asked = GetTickCount64();
    const bool ended = WaitUntil([&] { return done.load(); }, 5000);
    const ULONGLONG took = GetTickCount64() - asked;
    if (!ended) {
        // Without this the test could not end: the typing stops only with
        // the window that takes it.
        TerminateProcess(recorder.Handle(), 1);
    }
    worker.join();
    ASSERT_TRUE(typing) << "no key arrived";
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(ended) << "the typing went on after the stop request";
    EXPECT_LT(took, 2000u);
    EXPECT_EQ(E_FAIL, run);
    EXPECT_EQ(reason, L"User cancelled execution");
}

}  // namespace
}  // namespace desktop_test
