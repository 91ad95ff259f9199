#include "platform/framework/filefind.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/platform/framework/temp_dir.h"

namespace {

TEST(CFileFindTest, FindsEveryMatchWithItsPath)
{
    TempDir dir;
    WriteWholeFile(dir.File("Backup.tsk"), "12");
    WriteWholeFile(dir.File("Daily.tsk"), "1234");
    WriteWholeFile(dir.File("notes.txt"), "");

    CFileFind finder;
    bool more = finder.FindFile((dir.path() + "\\*.tsk").c_str());
    ASSERT_TRUE(more);
    std::set<std::string> names;
    while (more) {
        more = finder.FindNextFile();
        const CString name = finder.GetFileName();
        names.insert(static_cast<const char*>(name));
        EXPECT_EQ(0, finder.GetFilePath().CompareNoCase(dir.File(static_cast<const char*>(name)).c_str()));
        EXPECT_EQ(name.Left(name.GetLength() - 4), finder.GetFileTitle());
        EXPECT_FALSE(finder.IsDirectory());
        EXPECT_EQ(name == "Backup.tsk" ? 2u : 4u, finder.GetLength());
    }
    EXPECT_EQ((std::set<std::string>{"Backup.tsk", "Daily.tsk"}), names);
}

TEST(CFileFindTest, NoMatchGivesFalseAndNothingCurrent)
{
    TempDir dir;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile((dir.path() + "\\*.tsk").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

TEST(CFileFindTest, DotEntriesAreDirectoriesAndDots)
{
    TempDir dir;
    WriteWholeFile(dir.File("a.dat"), "");
    CFileFind finder;
    bool more = finder.FindFile((dir.path() + "\\*").c_str());
    int dots = 0;
    int files = 0;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) {
            EXPECT_TRUE(finder.IsDirectory());
            ++dots;
        } else {
            ++files;
        }
    }
    EXPECT_EQ(2, dots);
    EXPECT_EQ(1, files);
}

}  // namespace
