// Which task descriptions can name a task file.
#include <gtest/gtest.h>

#include <string>

#include "storage/task_file_name.h"

namespace {

struct NameCase {
    std::string name;
    bool plain;
};

TEST(TaskFileName, OnlyPlainFileNamesCanNameATaskFile)
{
    const NameCase cases[] = {
        {"Backup", true},
        {"Trigger For - Backup", true},
        {"nightly.copy", true},
        {"a..b", true},
        {" leading blank", true},
        {"R\xE9sum\xE9", true},
        {"CONSOLE", true},
        {"COM10", true},
        {"", false},
        {".", false},
        {"..", false},
        {". .", false},
        {"..\\..\\windows\\win", false},
        {"sub\\task", false},
        {"sub/task", false},
        {"C:task", false},
        {"what?", false},
        {"star*", false},
        {"<untitled>", false},
        {"pipe|d", false},
        {"quote\"d", false},
        {"tab\there", false},
        {"CON", false},
        {"con", false},
        {"Nul.txt", false},
        {"LPT1", false},
        {"COM9 .backup", false},
        {"CONOUT$", false},
        {std::string(251, 'a'), true},
        {std::string(252, 'a'), false},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(IsPlainTaskFileName(CString(c.name.c_str())), c.plain) << "\"" << c.name << "\"";
}

}  // namespace
