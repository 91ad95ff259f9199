#include "task/shared/module_directory.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(ModuleDirectory, IsTheRunningProgramsDirectoryWithTrailingBackslash)
{
    const std::string directory = GetModuleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '\\');
    EXPECT_EQ(0, _stricmp(directory.c_str(), ExpectedProgramDirectory().c_str()))
        << directory << " vs " << ExpectedProgramDirectory();
}

TEST(ModuleDirectory, DoesNotFollowTheCurrentDirectory)
{
    char previous[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, previous));
    char temp[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    const std::string directory = GetModuleDirectory();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(0, _stricmp(directory.c_str(), ExpectedProgramDirectory().c_str())) << directory;
}

}  // namespace
