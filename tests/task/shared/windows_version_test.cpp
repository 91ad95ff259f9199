#include "task/shared/windows_version.h"

#include <gtest/gtest.h>

namespace {

// Wine reports itself as a member of the NT family.
TEST(WindowsVersion, NtFamilyAnswersOne)
{
    EXPECT_EQ(1, IsWindowsNT());
}

}  // namespace
