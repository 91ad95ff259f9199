// The process conditions (types 10, 11) through IQVCondTrigger, on a helper
// program copied under a name of the test's own and started and ended by the
// test.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

enum class Act { None, Start, End };

struct Step {
    Act act;
    long active;
    bool fired;
};

struct ProcessCase {
    const char* name;
    short condType;
    std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& out, const ProcessCase& c)
{
    return out << c.name;
}

const ProcessCase kCases[] = {
    {"ProcessRunningFiresWhenTheProgramStarts", 11,
     {{Act::None, 0, false},
      {Act::Start, 1, true},
      {Act::None, 1, false},
      {Act::End, 0, false},
      {Act::None, 0, false},
      {Act::Start, 1, true}}},
    {"ProcessNotRunningFiresWhenTheProgramEnds", 10,
     {{Act::None, 1, true},
      {Act::Start, 0, false},
      {Act::None, 0, false},
      {Act::End, 1, true},
      {Act::None, 1, false}}},
};

class ProcessConditionTest : public CondTriggerTest, public ::testing::WithParamInterface<ProcessCase> {
protected:
    // The sleeper helper under a name no other program has.
    std::string CopyOfSleeper(const ScratchFolder& folder, std::string* executableName)
    {
        *executableName = "tvxcond" + std::to_string(GetCurrentProcessId()) + ".exe";
        const std::string path = folder / *executableName;
        EXPECT_TRUE(CopyFileA(HostProgramPath(TVX_SLEEPER).c_str(), path.c_str(), FALSE)) << GetLastError();
        return path;
    }
};

TEST_P(ProcessConditionTest, StepsGiveTheResultAndFireOnTheEdge)
{
    const ProcessCase& c = GetParam();
    ScratchFolder folder;
    std::string executableName;
    const std::string program = CopyOfSleeper(folder, &executableName);
    std::unique_ptr<ChildProcess> process;

    // Names compare without regard to case.
    std::string watched = executableName;
    for (char& ch : watched)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    Arm(trigger.Get(), c.condType, watched);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& step = c.steps[i];
        switch (step.act) {
        case Act::None:
            break;
        case Act::Start:
            process.reset(new ChildProcess(program, "--ms 120000 --report \"" + (folder / "report") + "\""));
            ASSERT_TRUE(process->Started());
            break;
        case Act::End:
            process.reset();
            break;
        }
        const TaskCheck check = CheckLikeTask(trigger.Get());
        EXPECT_EQ(S_OK, check.hr) << "step " << i;
        EXPECT_EQ(step.active, check.active) << "step " << i;
        EXPECT_EQ(step.fired, check.fired) << "step " << i;
    }
    process.reset();
}

INSTANTIATE_TEST_SUITE_P(Types, ProcessConditionTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ProcessCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(CondTriggerTest, ProcessNameMustBeTheWholeExecutableName)
{
    // This test program is running; parts of its name are not its name.
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own = path;
    own = own.substr(own.find_last_of('\\') + 1);
    const struct {
        std::string watched;
        long active;
    } cases[] = {{own, 1}, {own.substr(0, own.size() - 4), 0}, {own.substr(1), 0}, {"", 0}};
    for (const auto& c : cases) {
        Arm(trigger.Get(), 11, c.watched);
        long active = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active)) << c.watched;
        EXPECT_EQ(c.active, active) << c.watched;
    }
}

}  // namespace
