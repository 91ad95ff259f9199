#include "platform/framework/file.h"

#include <gtest/gtest.h>

#include "tests/platform/framework/temp_dir.h"

namespace {

TEST(CFileTest, OpenModesCreateTruncateOrKeep)
{
    TempDir dir;
    const std::string path = dir.File("modes.dat");
    const struct {
        const char* what;
        bool exists_before;
        UINT flags;
        bool opens;
        CFileException::Cause cause;
        LONG os_error;
        const char* content_after;
    } cases[] = {
        {"read missing", false, CFile::modeRead, false, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, nullptr},
        {"write missing", false, CFile::modeWrite, false, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND,
         nullptr},
        {"create missing", false, CFile::modeCreate | CFile::modeWrite, true, CFileException::none, -1, ""},
        {"create truncates", true, CFile::modeCreate | CFile::modeWrite, true, CFileException::none, -1, ""},
        {"no-truncate keeps", true, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, true,
         CFileException::none, -1, "old"},
        {"read keeps", true, CFile::modeRead, true, CFileException::none, -1, "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA(path.c_str());
        if (c.exists_before)
            WriteWholeFile(path, "old");
        CFile file;
        CFileException error;
        EXPECT_EQ(c.opens, file.Open(path.c_str(), c.flags, &error));
        EXPECT_EQ(c.cause, error.m_cause);
        EXPECT_EQ(c.os_error, error.m_lOsError);
        EXPECT_EQ(c.opens, file.IsOpen());
        file.Abort();
        if (c.content_after != nullptr) {
            EXPECT_EQ(std::string(c.content_after), ReadWholeFile(path));
        }
    }
}

TEST(CFileTest, SharingModesDecideWhetherASecondOpenSucceeds)
{
    TempDir dir;
    const std::string path = dir.File("shared.dat");
    WriteWholeFile(path, "data");
    const struct {
        UINT first;
        UINT second;
        bool second_opens;
    } cases[] = {
        {CFile::modeRead | CFile::shareDenyWrite, CFile::modeRead | CFile::shareDenyWrite, true},
        {CFile::modeRead | CFile::shareDenyWrite, CFile::modeReadWrite | CFile::shareDenyNone, false},
        {CFile::modeReadWrite | CFile::shareExclusive, CFile::modeRead | CFile::shareDenyNone, false},
        {CFile::modeReadWrite | CFile::shareCompat, CFile::modeRead | CFile::shareDenyNone, false},
        {CFile::modeRead | CFile::shareDenyNone, CFile::modeReadWrite | CFile::shareDenyNone, true},
        {CFile::modeWrite | CFile::shareDenyRead, CFile::modeRead | CFile::shareDenyNone, false},
        {CFile::modeWrite | CFile::shareDenyRead, CFile::modeWrite | CFile::shareDenyNone, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.first << " then " << c.second);
        CFile first;
        ASSERT_TRUE(first.Open(path.c_str(), c.first));
        CFile second;
        CFileException error;
        EXPECT_EQ(c.second_opens, second.Open(path.c_str(), c.second, &error));
        if (!c.second_opens) {
            EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
            EXPECT_EQ(ERROR_SHARING_VIOLATION, error.m_lOsError);
        }
    }
}

TEST(CFileTest, ThrowingConstructorReportsTheWin32Error)
{
    TempDir dir;
    try {
        CFile file(dir.File("missing\\x.dat").c_str(), CFile::modeRead);
        FAIL() << "opened a file in a missing directory";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::badPath, e.m_cause);
        EXPECT_EQ(ERROR_PATH_NOT_FOUND, e.m_lOsError);
    }
}

TEST(CFileTest, ReadWriteSeekAndLength)
{
    TempDir dir;
    CFile file(dir.File("rw.dat").c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("hello world", 11);
    EXPECT_EQ(11u, file.GetLength());
    EXPECT_EQ(11u, file.GetPosition());
    EXPECT_EQ(6u, file.Seek(6, CFile::begin));
    char buffer[16] = {};
    EXPECT_EQ(5u, file.Read(buffer, sizeof buffer));
    EXPECT_STREQ("world", buffer);
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    EXPECT_EQ(8u, file.Seek(-3, CFile::end));
    EXPECT_EQ(9u, file.Seek(1, CFile::current));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(5u, file.SeekToEnd());
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(std::string("hello"), ReadWholeFile(dir.File("rw.dat")));
}

TEST(CFileTest, ReadingAWriteOnlyFileThrows)
{
    TempDir dir;
    CFile file(dir.File("w.dat").c_str(), CFile::modeCreate | CFile::modeWrite);
    char byte;
    EXPECT_THROW(file.Read(&byte, 1), CFileException);
}

TEST(CFileTest, HandlesAreNotInheritedByChildProcesses)
{
    TempDir dir;
    CFile file(dir.File("inherit.dat").c_str(), CFile::modeCreate | CFile::modeWrite);
    DWORD flags = 0;
    ASSERT_TRUE(::GetHandleInformation(file.m_hFile, &flags));
    EXPECT_EQ(0u, flags & HANDLE_FLAG_INHERIT);
}

TEST(CFileTest, WrappedHandleIsNotClosed)
{
    TempDir dir;
    HANDLE handle = ::CreateFileA(dir.File("wrapped.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    {
        CFile wrapper(handle);
        wrapper.Write("abc", 3);
        wrapper.Close();
    }
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(handle, &flags));
    EXPECT_EQ(3u, ::GetFileSize(handle, nullptr));
    ::CloseHandle(handle);
}

TEST(CFileTest, DestructorClosesOwnedHandle)
{
    TempDir dir;
    const std::string path = dir.File("owned.dat");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    }
    CFile again;
    EXPECT_TRUE(again.Open(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive));
}

TEST(CFileTest, NamesStatusRenameAndRemove)
{
    TempDir dir;
    const std::string path = dir.File("Backup.tsk");
    WriteWholeFile(path, "12345");
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(CString(path.c_str()), file.GetFilePath());
    EXPECT_EQ(CString("Backup.tsk"), file.GetFileName());
    file.Close();

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(0u, status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0, CString(status.m_szFullName).CompareNoCase(path.c_str()));
    EXPECT_FALSE(CFile::GetStatus(dir.File("none.tsk").c_str(), status));

    const std::string renamed = dir.File("Other.tsk");
    CFile::Rename(path.c_str(), renamed.c_str());
    EXPECT_FALSE(CFile::GetStatus(path.c_str(), status));
    CFile::Remove(renamed.c_str());
    EXPECT_FALSE(CFile::GetStatus(renamed.c_str(), status));
    try {
        CFile::Remove(renamed.c_str());
        FAIL() << "removed a missing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, e.m_lOsError);
    }
}

TEST(CFileTest, EmptyNameFailsToOpen)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open("", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
}

}  // namespace
