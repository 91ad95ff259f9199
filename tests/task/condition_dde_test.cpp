// The DDE condition (type 9) through IQVCondTrigger, against a DDE server
// fixture whose item value the test changes. Needs a display (run CTest under
// xvfb-run).
#include <memory>
#include <string>

#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

class DdeConditionTest : public CondTriggerTest {
protected:
    void SetUp() override
    {
        CondTriggerTest::SetUp();
        m_service = "TvxCond" + std::to_string(GetCurrentProcessId());
        SetValue("first");
        StartServer();
    }

    void TearDown() override { m_server.reset(); }

    std::string CondName() const { return m_service + ",Values,Value"; }

    void SetValue(const std::string& value) { WriteFile(m_folder / "value.txt", value); }

    void StartServer()
    {
        const std::string ready = m_folder / "ready";
        DeleteFileA(ready.c_str());
        m_server.reset(new ChildProcess(HostProgramPath(TVX_DDE_SERVER),
                                        "--service " + m_service + " --topic Values --item Value --value-file \"" +
                                            (m_folder / "value.txt") + "\" --ready \"" + ready + "\""));
        ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(ready.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000))
            << "the DDE server did not start";
    }

    void StopServer() { m_server.reset(); }

    // How many of the checks fire.
    int Fires(int checks)
    {
        int fired = 0;
        for (int i = 0; i < checks; ++i) {
            const TaskCheck check = CheckLikeTask(trigger.Get());
            EXPECT_EQ(S_OK, check.hr);
            fired += check.fired ? 1 : 0;
        }
        return fired;
    }

    ScratchFolder m_folder;
    std::string m_service;
    std::unique_ptr<ChildProcess> m_server;
};

TEST_F(DdeConditionTest, FirstCheckAfterTheResetComparesWithTheValueAtTheReset)
{
    Arm(trigger.Get(), 9, CondName());
    const TaskCheck check = CheckLikeTask(trigger.Get());
    EXPECT_EQ(S_OK, check.hr);
    EXPECT_EQ(0, check.active);
    EXPECT_FALSE(check.fired);
}

TEST_F(DdeConditionTest, FiresOncePerValueChange)
{
    Arm(trigger.Get(), 9, CondName());
    EXPECT_EQ(0, Fires(2));
    for (const char* value : {"second", "third", "first", "a much longer value than before"}) {
        SetValue(value);
        EXPECT_EQ(1, Fires(3)) << value;
    }
    SetValue("a much longer value than before");
    EXPECT_EQ(0, Fires(2)) << "the same value written again";
}

// Without the task clearing HasToggled: the change is true for one check,
// and going back to false is a toggle too.
TEST_F(DdeConditionTest, ChangeIsTrueForOneCheck)
{
    Arm(trigger.Get(), 9, CondName());
    SetValue("second");
    const struct {
        long active;
        long toggled;
    } expected[] = {{1, 1}, {0, 1}, {0, 0}};
    for (const auto& e : expected) {
        ASSERT_EQ(S_OK, trigger->put_HasToggled(0));
        long active = -1, toggled = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active));
        EXPECT_EQ(S_OK, trigger->get_HasToggled(&toggled));
        EXPECT_EQ(e.active, active);
        EXPECT_EQ(e.toggled, toggled);
    }
}

// Values are kept and compared up to their 255th character.
TEST_F(DdeConditionTest, ComparesTheFirst255Characters)
{
    std::string value(300, 'x');
    SetValue(value);
    Arm(trigger.Get(), 9, CondName());
    const struct {
        size_t position;
        int fires;
    } cases[] = {{280, 0}, {255, 0}, {254, 1}, {0, 1}};
    for (const auto& c : cases) {
        value[c.position] = value[c.position] == 'x' ? 'y' : 'x';
        SetValue(value);
        EXPECT_EQ(c.fires, Fires(2)) << "character " << c.position << " changed";
    }
}

// A server that does not answer has not changed its value: its going away
// and coming back with the same value fire nothing, and no error is set.
TEST_F(DdeConditionTest, ServerAwayIsNoChange)
{
    Arm(trigger.Get(), 9, CondName());
    StopServer();
    EXPECT_EQ(0, Fires(2));
    tvx::com::Bstr error;
    EXPECT_EQ(S_OK, trigger->get_LastErrorString(error.Receive()));
    EXPECT_TRUE(error.Empty());
    StartServer();
    EXPECT_EQ(0, Fires(2));
    SetValue("second");
    EXPECT_EQ(1, Fires(2));
}

// With no server at the reset, the first value seen counts as a change.
TEST_F(DdeConditionTest, ServerThatCameAfterTheResetFiresOnce)
{
    StopServer();
    Arm(trigger.Get(), 9, CondName());
    EXPECT_EQ(0, Fires(1));
    StartServer();
    EXPECT_EQ(1, Fires(3));
}

// The name's parts left out keep the values of an earlier reset.
TEST_F(DdeConditionTest, PartsLeftOutKeepTheirEarlierValues)
{
    Arm(trigger.Get(), 9, CondName());
    tvx::com::Bstr shorter(Wide(m_service + ",Values"));
    ASSERT_EQ(S_OK, trigger->put_CondName(shorter.Get()));
    ASSERT_EQ(S_OK, trigger->Reset());
    SetValue("second");
    EXPECT_EQ(1, Fires(2));
}

}  // namespace
