#include "platform/framework/stdiofile.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/framework/temp_dir.h"

namespace {

std::vector<std::string> ReadLines(const std::string& path, UINT extra_flags)
{
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | extra_flags);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.emplace_back(static_cast<const char*>(line), line.GetLength());
    return lines;
}

TEST(CStdioFileTest, TextModeWritesCrLfAndReadsLinesWithoutTheirEnds)
{
    TempDir dir;
    const std::string path = dir.File("log.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.WriteString("first\n");
        file.WriteString("\n");
        file.WriteString("third\nlast");
    }
    EXPECT_EQ(std::string("first\r\n\r\nthird\r\nlast"), ReadWholeFile(path));
    EXPECT_EQ((std::vector<std::string>{"first", "", "third", "last"}), ReadLines(path, 0));
}

TEST(CStdioFileTest, LineEndsAreRecognisedInEveryForm)
{
    TempDir dir;
    const std::string path = dir.File("mixed.txt");
    WriteWholeFile(path, "a\r\nb\nc\rd\r\n\r\n");
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c\rd", ""}), ReadLines(path, 0));
    EXPECT_EQ((std::vector<std::string>{"a\r", "b", "c\rd\r", "\r"}), ReadLines(path, CFile::typeBinary));
}

TEST(CStdioFileTest, LongLinesCrossTheReadAheadBuffer)
{
    TempDir dir;
    const std::string path = dir.File("long.txt");
    const std::string long_line(10000, 'x');
    WriteWholeFile(path, long_line + "\r\n" + "tail\r\n");
    EXPECT_EQ((std::vector<std::string>{long_line, "tail"}), ReadLines(path, 0));
}

TEST(CStdioFileTest, EmptyFileHasNoLines)
{
    TempDir dir;
    const std::string path = dir.File("empty.txt");
    WriteWholeFile(path, "");
    EXPECT_TRUE(ReadLines(path, 0).empty());
}

TEST(CStdioFileTest, WritingAfterReadingContinuesWhereReadingStopped)
{
    TempDir dir;
    const std::string path = dir.File("rw.txt");
    WriteWholeFile(path, "one\r\ntwo\r\n");
    {
        CStdioFile file(path.c_str(), CFile::modeReadWrite);
        CString line;
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_EQ(CString("one"), line);
        EXPECT_EQ(5u, file.GetPosition());
        file.WriteString("TWO\n");
        file.SeekToEnd();
        file.WriteString("three\n");
    }
    EXPECT_EQ(std::string("one\r\nTWO\r\nthree\r\n"), ReadWholeFile(path));
}

}  // namespace
