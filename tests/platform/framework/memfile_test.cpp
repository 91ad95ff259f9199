#include "platform/framework/memfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string ReadAll(CMemFile& file)
{
    file.SeekToBegin();
    std::string content(static_cast<size_t>(file.GetLength()), '\0');
    if (!content.empty())
        file.Read(&content[0], static_cast<UINT>(content.size()));
    return content;
}

TEST(CMemFileTest, GrowingFileWritesReadsAndSeeks)
{
    CMemFile file(4);
    for (int i = 0; i < 100; ++i)
        file.Write("abc", 3);
    EXPECT_EQ(300u, file.GetLength());
    EXPECT_EQ(300u, file.GetPosition());
    file.Seek(-3, CFile::end);
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, sizeof buffer));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    file.Seek(1, CFile::begin);
    file.Write("X", 1);
    EXPECT_EQ(std::string("aXc"), ReadAll(file).substr(0, 3));
}

TEST(CMemFileTest, WritePastTheEndFillsTheGapWithZeros)
{
    CMemFile file;
    file.Write("a", 1);
    file.Seek(4, CFile::begin);
    file.Write("b", 1);
    EXPECT_EQ(std::string("a\0\0\0b", 5), ReadAll(file));
}

TEST(CMemFileTest, SeekBeforeTheStartThrowsBadSeek)
{
    CMemFile file;
    file.Write("abc", 3);
    try {
        file.Seek(-4, CFile::current);
        FAIL() << "seek before the start";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::badSeek, e.m_cause);
    }
    EXPECT_EQ(3u, file.GetPosition());
}

TEST(CMemFileTest, AttachedFixedBlockIsTheContentAndCannotGrow)
{
    BYTE block[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
    CMemFile file(block, sizeof block);
    EXPECT_EQ(6u, file.GetLength());
    char buffer[10] = {};
    EXPECT_EQ(6u, file.Read(buffer, sizeof buffer));
    EXPECT_STREQ("abcdef", buffer);
    file.Seek(4, CFile::begin);
    file.Write("XY", 2);
    EXPECT_EQ('X', block[4]);
    try {
        file.Write("Z", 1);
        FAIL() << "wrote past a fixed block";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::diskFull, e.m_cause);
    }
    EXPECT_EQ(6u, file.GetLength());
}

TEST(CMemFileTest, AttachedGrowingBlockStartsEmptyAndMovesToItsOwnBlock)
{
    BYTE block[4] = {'1', '2', '3', '4'};
    CMemFile file(block, sizeof block, 8);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("ab", 2);
    EXPECT_EQ('a', block[0]);
    file.Write("cdefgh", 6);
    EXPECT_EQ(8u, file.GetLength());
    // The caller's block keeps what was written while it was in use.
    EXPECT_EQ(0, std::memcmp(block, "ab34", 4));
    BYTE* own = file.Detach();
    ASSERT_NE(nullptr, own);
    EXPECT_NE(block, own);
    EXPECT_EQ(0, std::memcmp(own, "abcdefgh", 8));
    std::free(own);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(CMemFileTest, DetachHandsOverTheBlockAndEmptiesTheFile)
{
    CMemFile file(1024);
    file.Write("state", 5);
    const ULONGLONG length = file.GetLength();
    BYTE* block = file.Detach();
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(5u, length);
    EXPECT_EQ(0, std::memcmp(block, "state", 5));
    std::free(block);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("again", 5);
    EXPECT_EQ(std::string("again"), ReadAll(file));
}

TEST(CMemFileTest, SetLengthTruncatesAndExtendsWithZeros)
{
    CMemFile file;
    file.Write("abcdef", 6);
    file.SetLength(2);
    EXPECT_EQ(2u, file.GetPosition());
    EXPECT_EQ(std::string("ab"), ReadAll(file));
    file.SetLength(4);
    EXPECT_EQ(std::string("ab\0\0", 4), ReadAll(file));
}

}  // namespace
