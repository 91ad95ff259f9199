// The application and window conditions (types 0, 1, 7, 8) through
// IQVCondTrigger, on windows of a helper program that the test opens,
// activates and closes. Needs a display (run CTest under xvfb-run).
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

enum class Act {
    None,
    Open,      // start the window's program and wait for the window
    Activate,  // make the window the foreground window
    Close,     // end the window's program
};

struct Step {
    Act act;
    char window;  // 'A' or 'B'
    long active;
    bool fired;
};

// "{id}" in titles and patterns stands for the test process's id, so that
// no other program's window can match.
struct WindowCase {
    const char* name;
    short condType;
    const char* watched;
    std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& out, const WindowCase& c)
{
    return out << c.name;
}

const char kTitleA[] = "TvxCond {id} Alpha-Daily-Report";
const char kTitleB[] = "TvxCond {id} Beta-Daily-Report";

const WindowCase kCases[] = {
    {"ApplicationNotRunningFiresWhenTheWindowGoes", 0, "TvxCond {id} Alpha*",
     {{Act::None, 'A', 1, true},
      {Act::Open, 'A', 0, false},
      {Act::None, 'A', 0, false},
      {Act::Open, 'B', 0, false},
      {Act::Close, 'A', 1, true},
      {Act::None, 'A', 1, false}}},
    {"ApplicationRunningFiresWhenTheWindowComes", 1, "TvxCond {id} Alpha*",
     {{Act::None, 'A', 0, false},
      {Act::Open, 'B', 0, false},
      {Act::Open, 'A', 1, true},
      {Act::None, 'A', 1, false},
      {Act::Close, 'A', 0, false},
      {Act::Open, 'A', 1, true}}},
    {"ApplicationRunningPatternBacktracks", 1, "TvxCond {id} *-Report",
     {{Act::None, 'A', 0, false}, {Act::Open, 'B', 1, true}, {Act::Close, 'B', 0, false}}},
    {"ApplicationRunningQuestionMarksTakeOneCharacterEach", 1, "TvxCond {id} ?lpha-Daily-Repor?",
     {{Act::Open, 'B', 0, false}, {Act::Open, 'A', 1, true}}},
    {"ApplicationRunningMatchesCase", 1, "tvxcond {id} alpha*",
     {{Act::Open, 'A', 0, false}}},
    {"ApplicationRunningNeedsTheWholeTitle", 1, "TvxCond {id} Alpha-Daily",
     {{Act::Open, 'A', 0, false}}},
    {"WindowActiveFollowsTheForegroundWindow", 7, "TvxCond {id} Alpha-Daily-Report",
     {{Act::None, 'A', 0, false},
      {Act::Open, 'A', 1, true},
      {Act::None, 'A', 1, false},
      {Act::Open, 'B', 0, false},
      {Act::Activate, 'A', 1, true},
      {Act::Activate, 'B', 0, false},
      {Act::Close, 'A', 0, false}}},
    {"WindowInactiveWhileAnotherWindowIsInFront", 8, "TvxCond {id} Alpha*",
     {{Act::None, 'A', 1, true},
      {Act::Open, 'A', 0, false},
      {Act::Open, 'B', 1, true},
      {Act::None, 'A', 1, false},
      {Act::Activate, 'A', 0, false},
      {Act::Close, 'A', 1, true}}},
};

std::string WithId(const char* text)
{
    std::string result = text;
    const std::string::size_type at = result.find("{id}");
    if (at != std::string::npos)
        result.replace(at, 4, std::to_string(GetCurrentProcessId()));
    return result;
}

class WindowConditionTest : public CondTriggerTest {
protected:
    void TearDown() override { m_windows.clear(); }

    HWND Open(const std::string& title, bool hidden = false)
    {
        m_windows[title].reset(new ChildProcess(HostProgramPath(TVX_WINDOW_MAKER),
                                                "--title \"" + title + "\" --lifetime 120000", hidden));
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindWindowA(nullptr, title.c_str())) != nullptr; }, 15000);
        EXPECT_NE(nullptr, window) << title;
        if (window != nullptr && !hidden)
            Activate(window);
        return window;
    }

    void Activate(HWND window)
    {
        SetForegroundWindow(window);
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
    }

    void Close(const std::string& title)
    {
        m_windows.erase(title);
        EXPECT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, title.c_str()) == nullptr; }, 5000));
    }

    std::map<std::string, std::unique_ptr<ChildProcess>> m_windows;
};

class WindowConditionCaseTest : public WindowConditionTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowConditionCaseTest, StepsGiveTheResultAndFireOnTheEdge)
{
    const WindowCase& c = GetParam();
    Arm(trigger.Get(), c.condType, WithId(c.watched));
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& step = c.steps[i];
        const std::string title = WithId(step.window == 'A' ? kTitleA : kTitleB);
        switch (step.act) {
        case Act::None:
            break;
        case Act::Open:
            Open(title);
            break;
        case Act::Activate:
            Activate(FindWindowA(nullptr, title.c_str()));
            break;
        case Act::Close:
            Close(title);
            break;
        }
        const TaskCheck check = CheckLikeTask(trigger.Get());
        EXPECT_EQ(S_OK, check.hr) << "step " << i;
        EXPECT_EQ(step.active, check.active) << "step " << i;
        EXPECT_EQ(step.fired, check.fired) << "step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, WindowConditionCaseTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return std::string(info.param.name);
                         });

// A hidden window is passed over by the pattern search but found by its
// exact title.
TEST_F(WindowConditionTest, HiddenWindowIsFoundByItsExactTitleOnly)
{
    const std::string title = WithId("TvxCond {id} Hidden");
    ASSERT_NE(nullptr, Open(title, true));
    const struct {
        std::string watched;
        long active;
    } cases[] = {{title, 1}, {WithId("TvxCond {id} Hid*"), 0}};
    for (const auto& c : cases) {
        Arm(trigger.Get(), 1, c.watched);
        long active = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active)) << c.watched;
        EXPECT_EQ(c.active, active) << c.watched;
    }
}

// An empty title names no window, not the first untitled one.
TEST_F(WindowConditionTest, EmptyTitleNamesNoWindow)
{
    const struct {
        short condType;
        long active;
    } cases[] = {{0, 1}, {1, 0}, {7, 0}, {8, 1}};
    for (const auto& c : cases) {
        Arm(trigger.Get(), c.condType, "");
        long active = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active)) << c.condType;
        EXPECT_EQ(c.active, active) << c.condType;
    }
}

}  // namespace
