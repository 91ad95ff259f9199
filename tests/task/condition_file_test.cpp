// The file conditions (types 2-6) through IQVCondTrigger, on real files that
// the test creates, changes, locks and deletes.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

enum class Act {
    None,          // check again, nothing changed
    Create,        // write the file anew
    Append,        // grow it
    Touch,         // move its modification time, same size
    Lock,          // open it denying others write access
    AppendLocked,  // grow it through the lock
    Unlock,
    Delete,
};

// What the world does before a check, on which of the case's files, and
// what the check must then give.
struct Step {
    Act act;
    int file;
    long active;
    bool fired;
};

struct FileCase {
    const char* name;
    short condType;
    const char* watched;             // relative to the scratch folder
    std::vector<const char*> files;  // the files the steps act on
    bool firstFileExists;            // the first file is there at the reset
    std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& out, const FileCase& c)
{
    return out << c.name;
}

const FileCase kCases[] = {
    {"FileChangeFiresOnSizeAndTimeChanges", 2, "a.dat", {"a.dat"}, true,
     {{Act::None, 0, 0, false},
      {Act::Append, 0, 1, true},
      {Act::None, 0, 0, false},
      {Act::Touch, 0, 1, true},
      {Act::None, 0, 0, false},
      {Act::Delete, 0, 0, false},
      {Act::Create, 0, 1, true},
      {Act::None, 0, 0, false}}},
    {"FileChangeOfAFileCreatedAfterTheReset", 2, "a.dat", {"a.dat"}, false,
     {{Act::None, 0, 0, false}, {Act::Create, 0, 1, true}, {Act::None, 0, 0, false}}},
    {"FileChangeAndNotLockedWaitsForTheWriterToLetGo", 3, "a.dat", {"a.dat"}, true,
     {{Act::None, 0, 0, false},
      {Act::Append, 0, 1, true},
      {Act::None, 0, 0, false},
      {Act::Lock, 0, 0, false},
      {Act::AppendLocked, 0, 0, false},
      {Act::None, 0, 0, false},
      {Act::Unlock, 0, 1, true},
      {Act::None, 0, 0, false}}},
    {"FileDoesNotExistFiresWhenTheFileGoes", 4, "a.dat", {"a.dat"}, true,
     {{Act::None, 0, 0, false},
      {Act::Delete, 0, 1, true},
      {Act::None, 0, 1, false},
      {Act::Create, 0, 0, false},
      {Act::Delete, 0, 1, true}}},
    {"FileDoesNotExistTakesAPattern", 4, "*.dat", {"a.dat", "b.dat"}, false,
     {{Act::None, 0, 1, true},
      {Act::Create, 0, 0, false},
      {Act::Create, 1, 0, false},
      {Act::Delete, 0, 0, false},
      {Act::Delete, 1, 1, true},
      {Act::None, 0, 1, false}}},
    {"FileExistsFiresWhenTheFileComes", 5, "a.dat", {"a.dat"}, false,
     {{Act::None, 0, 0, false},
      {Act::Create, 0, 1, true},
      {Act::None, 0, 1, false},
      {Act::Lock, 0, 1, false},
      {Act::Unlock, 0, 1, false},
      {Act::Delete, 0, 0, false},
      {Act::Create, 0, 1, true}}},
    {"FileExistsTakesAPattern", 5, "*.dat", {"a.dat", "b.dat"}, false,
     {{Act::None, 0, 0, false},
      {Act::Create, 1, 1, true},
      {Act::Create, 0, 1, false},
      {Act::Delete, 1, 1, false},
      {Act::Delete, 0, 0, false}}},
    {"FileExistsPatternIgnoresTheDotEntries", 5, "empty\\*", {"empty\\a.dat"}, false,
     {{Act::None, 0, 0, false}, {Act::Create, 0, 1, true}, {Act::Delete, 0, 0, false}}},
    {"FileExistsAndNotLockedWaitsForTheLock", 6, "a.dat", {"a.dat"}, false,
     {{Act::None, 0, 0, false},
      {Act::Create, 0, 1, true},
      {Act::Lock, 0, 0, false},
      {Act::None, 0, 0, false},
      {Act::Unlock, 0, 1, true},
      {Act::None, 0, 1, false},
      {Act::Delete, 0, 0, false}}},
    {"FileExistsAndNotLockedTakesAnyUnlockedMatch", 6, "*.dat", {"a.dat", "b.dat"}, false,
     {{Act::Create, 0, 1, true},
      {Act::Lock, 0, 0, false},
      {Act::Create, 1, 1, true},
      {Act::Delete, 1, 0, false},
      {Act::Unlock, 0, 1, true}}},
};

class FileConditionTest : public CondTriggerTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FileConditionTest, StepsGiveTheResultAndFireOnTheEdge)
{
    const FileCase& c = GetParam();
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoryA((folder / "empty").c_str(), nullptr));
    // Files that no pattern of the cases matches.
    WriteFile(folder / "other.txt", "noise");
    if (c.firstFileExists)
        WriteFile(folder / c.files[0], "first");
    std::vector<std::unique_ptr<FileLock>> locks(c.files.size());

    Arm(trigger.Get(), c.condType, folder / c.watched);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& step = c.steps[i];
        const std::string path = folder / c.files[step.file];
        switch (step.act) {
        case Act::None:
            break;
        case Act::Create:
            WriteFile(path, "content " + std::to_string(i));
            break;
        case Act::Append:
            AppendToFile(path, " and more");
            break;
        case Act::Touch:
            TouchFile(path);
            break;
        case Act::Lock:
            locks[step.file].reset(new FileLock(path));
            ASSERT_TRUE(locks[step.file]->Held());
            break;
        case Act::AppendLocked:
            locks[step.file]->Append(" written under the lock");
            break;
        case Act::Unlock:
            locks[step.file].reset();
            break;
        case Act::Delete:
            DeleteFileOrFail(path);
            break;
        }
        const TaskCheck check = CheckLikeTask(trigger.Get());
        EXPECT_EQ(S_OK, check.hr) << "step " << i;
        EXPECT_EQ(step.active, check.active) << "step " << i;
        EXPECT_EQ(step.fired, check.fired) << "step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, FileConditionTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

// A reset takes the file's state as the baseline: what was there before it
// is no change.
TEST_F(CondTriggerTest, FileChangeBeforeTheResetIsNotAChange)
{
    ScratchFolder folder;
    const std::string path = folder / "a.dat";
    WriteFile(path, "first");
    Arm(trigger.Get(), 2, path);
    AppendToFile(path, " more");
    EXPECT_EQ(1, CheckLikeTask(trigger.Get()).active);
    ASSERT_EQ(S_OK, trigger->Reset());
    const TaskCheck check = CheckLikeTask(trigger.Get());
    EXPECT_EQ(0, check.active);
    EXPECT_FALSE(check.fired);
}

// Without the task clearing HasToggled: a change is true for one check, and
// the result going back to false is a toggle as well.
TEST_F(CondTriggerTest, FileChangeTogglesOnTheWayUpAndBack)
{
    ScratchFolder folder;
    const std::string path = folder / "a.dat";
    WriteFile(path, "first");
    Arm(trigger.Get(), 2, path);
    AppendToFile(path, " more");
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

// An empty name watches nothing: no file is looked for in the current folder.
TEST_F(CondTriggerTest, EmptyFileNameNeitherExistsNorChanges)
{
    const struct {
        short condType;
        long active;
    } cases[] = {{2, 0}, {3, 0}, {4, 1}, {5, 0}, {6, 0}};
    for (const auto& c : cases) {
        Arm(trigger.Get(), c.condType, "");
        long active = -1;
        EXPECT_EQ(S_OK, trigger->get_IsActive(&active)) << c.condType;
        EXPECT_EQ(c.active, active) << c.condType;
    }
}

}  // namespace
