#include "platform/framework/shared_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> Pattern(size_t length)
{
    std::vector<BYTE> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<BYTE>(i * 7 + 3);
    return bytes;
}

std::vector<BYTE> BlockBytes(HGLOBAL memory)
{
    const BYTE* block = static_cast<const BYTE*>(::GlobalLock(memory));
    std::vector<BYTE> bytes(block, block + ::GlobalSize(memory));
    ::GlobalUnlock(memory);
    return bytes;
}

// Lengths below, at and beyond one grow step, so that the block is
// reallocated while it is written.
class SharedFileLengths : public ::testing::TestWithParam<size_t> {};

TEST_P(SharedFileLengths, DetachedBlockIsMovableAndHoldsExactlyWhatWasWritten)
{
    const std::vector<BYTE> written = Pattern(GetParam());
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 64);
    for (size_t offset = 0; offset < written.size(); offset += 10) {
        const UINT chunk = static_cast<UINT>(std::min<size_t>(10, written.size() - offset));
        file.Write(written.data() + offset, chunk);
    }
    HGLOBAL memory = file.Detach();
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(file.GetLength(), 0u);
    // A movable block's handle is not its address.
    EXPECT_NE(::GlobalLock(memory), static_cast<void*>(memory));
    ::GlobalUnlock(memory);
    EXPECT_EQ(BlockBytes(memory), written);

    CSharedFile reader;
    reader.SetHandle(memory, FALSE);
    std::vector<BYTE> read(written.size() + 5);
    EXPECT_EQ(reader.Read(read.data(), static_cast<UINT>(read.size())), written.size());
    read.resize(written.size());
    EXPECT_EQ(read, written);
}

INSTANTIATE_TEST_SUITE_P(AcrossGrowSteps, SharedFileLengths, ::testing::Values(1, 64, 65, 1000));

TEST(SharedFile, EmptyFileDetachesNothing)
{
    CSharedFile file;
    EXPECT_EQ(file.Detach(), nullptr);
    file.Write("x", 1);
    file.SetLength(0);
    EXPECT_EQ(file.Detach(), nullptr);
}

TEST(SharedFile, BlockTakenWithoutGrowthRefusesWritesPastItsEnd)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_NE(memory, nullptr);
    CSharedFile file;
    file.SetHandle(memory, FALSE);
    file.Write("abcd", 4);
    try {
        file.Write("e", 1);
        FAIL() << "the write went past the block";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
    }
    EXPECT_EQ(file.GetLength(), 4u);
}

TEST(SharedFile, BlockTakenWithGrowthKeepsItsContentAndGrows)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, 3);
    ASSERT_NE(memory, nullptr);
    std::memcpy(::GlobalLock(memory), "abc", 3);
    ::GlobalUnlock(memory);
    CSharedFile file;
    file.SetHandle(memory);
    file.Seek(0, CFile::end);
    file.Write("defgh", 5);
    HGLOBAL grown = file.Detach();
    const std::vector<BYTE> bytes = BlockBytes(grown);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcdefgh");
    ::GlobalFree(grown);
}

TEST(SharedFile, NullHandleIsRefused)
{
    CSharedFile file;
    EXPECT_THROW(file.SetHandle(nullptr), CFileException);
}

}  // namespace
