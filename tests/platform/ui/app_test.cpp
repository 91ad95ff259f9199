#include <gtest/gtest.h>

#include "platform/ui/app.h"

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

TEST(Application, NameIsTheExecutableTitleUnlessGiven)
{
    {
        CWinApp named("Tarvex Test");
        EXPECT_STREQ(named.GetAppName(), "Tarvex Test");
    }
    CWinApp unnamed;
    EXPECT_STREQ(unnamed.GetAppName(), "platform_ui_test");
}

}  // namespace
