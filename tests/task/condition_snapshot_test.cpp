// The shared process and window lists of a snapshot scope: inside a scope a
// thread's condition tests see the system as the first test that looked
// found it; outside one, and on other threads, each test looks afresh.
// Needs a display (run CTest under xvfb-run).
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "task/condition_process.h"
#include "task/condition_window.h"
#include "task/shared_snapshots.h"
#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

std::string WithId(const std::string& text)
{
    return text + " " + std::to_string(GetCurrentProcessId());
}

// Something a condition watches: a program's process or its window.
struct Watched {
    const char* name;
    short condType;  // 11: process running, 1: application running
};

std::ostream& operator<<(std::ostream& out, const Watched& w)
{
    return out << w.name;
}

const Watched kWatched[] = {{"Process", 11}, {"Window", 1}};

class SnapshotScopeTest : public CondTriggerTest, public ::testing::WithParamInterface<Watched> {
protected:
    void SetUp() override
    {
        CondTriggerTest::SetUp();
        if (GetParam().condType == 11) {
            m_name = "tvxsnap" + std::to_string(GetCurrentProcessId()) + ".exe";
            m_program = m_folder / m_name;
            ASSERT_TRUE(CopyFileA(HostProgramPath(TVX_SLEEPER).c_str(), m_program.c_str(), FALSE))
                << GetLastError();
        } else {
            m_name = WithId("TvxSnap Window");
        }
    }
    void TearDown() override { m_child.reset(); }

    void Start()
    {
        if (GetParam().condType == 11) {
            m_child.reset(new ChildProcess(m_program, "--ms 120000"));
            ASSERT_TRUE(m_child->Started());
            return;
        }
        m_child.reset(new ChildProcess(HostProgramPath(TVX_WINDOW_MAKER),
                                       "--title \"" + m_name + "\" --lifetime 120000"));
        ASSERT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, m_name.c_str()) != nullptr; }, 15000));
    }

    // The test itself, without the trigger, as another thread makes it.
    bool SeenDirectly() const
    {
        return GetParam().condType == 11 ? IsProcessRunning(m_name.c_str())
                                         : FindWindowLike(m_name.c_str()) != nullptr;
    }

    long Active()
    {
        long active = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active));
        return active;
    }

    ScratchFolder m_folder;
    std::string m_name;
    std::string m_program;
    std::unique_ptr<ChildProcess> m_child;
};

TEST_P(SnapshotScopeTest, OutsideAScopeEveryTestLooksAfresh)
{
    Arm(trigger.Get(), GetParam().condType, m_name);
    EXPECT_EQ(0, Active());
    Start();
    EXPECT_EQ(1, Active());
    m_child.reset();
    EXPECT_EQ(0, Active());
}

TEST_P(SnapshotScopeTest, InsideAScopeTheFirstListServesUntilTheOutermostEnd)
{
    Arm(trigger.Get(), GetParam().condType, m_name);
    BeginSharedSnapshots();
    EXPECT_EQ(0, Active()) << "first test of the scope";
    Start();
    EXPECT_EQ(0, Active()) << "started after the list was taken";

    // A nested scope neither takes a new list nor drops the shared one.
    BeginSharedSnapshots();
    EXPECT_EQ(0, Active()) << "nested scope";
    EndSharedSnapshots();
    EXPECT_EQ(0, Active()) << "after the nested scope";

    // Another thread has no scope of its own and looks afresh.
    bool seenElsewhere = false;
    std::thread other([&] { seenElsewhere = SeenDirectly(); });
    other.join();
    EXPECT_TRUE(seenElsewhere);

    EndSharedSnapshots();
    EXPECT_EQ(1, Active()) << "after the scope";
    // A stray End is harmless and opens nothing.
    EndSharedSnapshots();
    m_child.reset();
    EXPECT_EQ(0, Active()) << "ended outside any scope";

    // The next scope takes a list of its own.
    BeginSharedSnapshots();
    Start();
    EXPECT_EQ(1, Active()) << "list taken after the start";
    EndSharedSnapshots();
}

// A scope left open by a thread that ended belongs to that thread only.
TEST_P(SnapshotScopeTest, AScopeLeftOpenOnAnotherThreadDoesNotReachThisOne)
{
    std::thread other([] {
        BeginSharedSnapshots();
        SharedProcessList();
        SharedWindowList();
    });
    other.join();
    EXPECT_EQ(nullptr, SharedProcessList());
    EXPECT_EQ(nullptr, SharedWindowList());
    Arm(trigger.Get(), GetParam().condType, m_name);
    EXPECT_EQ(0, Active());
    Start();
    EXPECT_EQ(1, Active());
}

INSTANTIATE_TEST_SUITE_P(Kinds, SnapshotScopeTest, ::testing::ValuesIn(kWatched),
                         [](const ::testing::TestParamInfo<Watched>& info) {
                             return std::string(info.param.name);
                         });

// The shared window list finds the same windows as the searches it stands
// for: the pattern search passes over hidden windows, the exact title finds
// them, without regard to case.
TEST_F(CondTriggerTest, SharedWindowListFindsWhatTheLiveSearchFinds)
{
    const std::string title = WithId("TvxSnap Hidden");
    ChildProcess hidden(HostProgramPath(TVX_WINDOW_MAKER), "--title \"" + title + "\" --lifetime 120000", true);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, title.c_str()) != nullptr; }, 15000));
    std::string lowered = title;
    CharLowerBuffA(&lowered[0], static_cast<DWORD>(lowered.size()));
    const struct {
        std::string pattern;
        bool found;
    } cases[] = {{title, true}, {"TvxSnap Hid*", false}, {lowered, true}, {title + "x", false}};
    for (const auto& c : cases) {
        const HWND live = FindWindowLike(c.pattern.c_str());
        BeginSharedSnapshots();
        const HWND shared = FindWindowLike(c.pattern.c_str());
        EndSharedSnapshots();
        EXPECT_EQ(c.found, live != nullptr) << c.pattern;
        EXPECT_EQ(live, shared) << c.pattern;
    }
}

}  // namespace
