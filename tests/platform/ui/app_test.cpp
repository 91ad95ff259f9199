#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"
#include "system_calls_recorder.h"

namespace {

// Ends its start-up with a chosen answer and exit code, or by posting
// WM_QUIT to the message loop.
class ScriptedApp : public CWinApp {
public:
    ScriptedApp(BOOL initAnswer, int initExitCode, int quitCode)
        : CWinApp("Scripted"), m_initAnswer(initAnswer), m_initExitCode(initExitCode), m_quitCode(quitCode)
    {
    }

    BOOL InitInstance() override
    {
        ++initCalls;
        instanceSeen = m_hInstance;
        SetExitCode(m_initExitCode);
        if (m_initAnswer)
            ::PostQuitMessage(m_quitCode);
        return m_initAnswer;
    }
    int Run() override
    {
        ++runCalls;
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        ++exitCalls;
        return CWinApp::ExitInstance();
    }

    int initCalls = 0;
    int runCalls = 0;
    int exitCalls = 0;
    HINSTANCE instanceSeen = nullptr;

private:
    BOOL m_initAnswer;
    int m_initExitCode;
    int m_quitCode;
};

struct RunCase {
    const char* name;
    BOOL initAnswer;
    int initExitCode;
    int quitCode;
    int expectedRuns;
    int expectedExitCode;
};

void PrintTo(const RunCase& c, std::ostream* out)
{
    *out << c.name;
}

class ApplicationRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(ApplicationRun, StartUpDecidesWhetherTheLoopRunsAndExitInstanceGivesTheCode)
{
    const RunCase& c = GetParam();
    ScriptedApp app(c.initAnswer, c.initExitCode, c.quitCode);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);

    EXPECT_EQ(AfxWinMain(app, instance), c.expectedExitCode);
    EXPECT_EQ(app.initCalls, 1);
    EXPECT_EQ(app.runCalls, c.expectedRuns);
    EXPECT_EQ(app.exitCalls, 1);
    EXPECT_EQ(app.instanceSeen, instance);
}

INSTANTIATE_TEST_SUITE_P(Table, ApplicationRun,
                         ::testing::Values(RunCase{"StartUpEndsTheProgram", FALSE, 0, 0, 0, 0},
                                           RunCase{"StartUpSetsTheExitCode", FALSE, 3, 0, 0, 3},
                                           RunCase{"QuitMessageGivesTheCode", TRUE, 0, 7, 1, 7},
                                           RunCase{"QuitMessageOverridesEarlierCode", TRUE, 3, 0, 1, 0}),
                         [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST(Application, AfxGetAppFindsTheApplicationObjectOnlyWhileItLives)
{
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app("Alive");
        EXPECT_EQ(AfxGetApp(), &app);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(Application, NameIsTheArgumentElseTheTitleResource)
{
    {
        CWinApp named("Tarvex Test");
        EXPECT_STREQ(named.GetAppName(), "Tarvex Test");
    }
    // This program's resources name its title; the executable's name stays.
    CWinApp unnamed;
    EXPECT_STREQ(unnamed.GetAppName(), "Ui Test Title");
    EXPECT_STREQ(unnamed.m_pszAppName, "Ui Test Title");
    EXPECT_STREQ(unnamed.m_pszExeName, "platform_ui_test");
    EXPECT_STREQ(AfxGetAppName(), "Ui Test Title");
}

TEST(Application, HelpGoesToTheHelpFileForTheMainWindowThroughTheSystemCalls)
{
    RecordingSystemCalls calls;
    CWinApp app("Help Test");
    // The default help file sits beside the program.
    const std::string path = app.m_pszHelpFilePath;
    ASSERT_GE(path.size(), 21u);
    EXPECT_EQ(path.substr(path.size() - 21), "\\platform_ui_test.hlp");

    app.SetHelpFilePath("C:\\help\\tarvex.hlp");
    app.WinHelp(42);
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &main;
    app.WinHelp(7, HELP_CONTEXTPOPUP);
    main.WinHelp(3, HELP_FINDER);
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(calls.log, (std::vector<std::string>{"WinHelp C:\\help\\tarvex.hlp 1 42",
                                                   "WinHelp C:\\help\\tarvex.hlp 8 7",
                                                   "WinHelp C:\\help\\tarvex.hlp 11 3"}));
}

TEST(Application, WaitCursorShowsFromTheFirstBeginToTheLastEnd)
{
    CWinApp app("Wait Test");
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    EXPECT_EQ(WaitCursorDepth(), 0);
    app.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    {
        CWaitCursor nested;
        EXPECT_EQ(WaitCursorDepth(), 2);
        // Something else changed the cursor: Restore brings the hourglass back.
        ::SetCursor(arrow);
        nested.Restore();
        EXPECT_EQ(::GetCursor(), wait);
    }
    EXPECT_EQ(::GetCursor(), wait);
    app.EndWaitCursor();
    EXPECT_EQ(WaitCursorDepth(), 0);
    EXPECT_EQ(::GetCursor(), arrow);
    // An unmatched end changes nothing.
    app.EndWaitCursor();
    EXPECT_EQ(WaitCursorDepth(), 0);
}

}  // namespace
