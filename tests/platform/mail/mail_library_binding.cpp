#include "mail_library_binding.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

BoundLibrary::BoundLibrary(const char* file_name)
    : m_module(::LoadLibraryA((TestProgramDirectory() + file_name).c_str()))
{
}

BoundLibrary::~BoundLibrary()
{
    if (m_module != nullptr)
        ::FreeLibrary(m_module);
}

MessageLibrary::MessageLibrary()
    : Initialize(library.Bind<CSMSG_INITIALIZE>(CSMSG_ORDINAL_INITIALIZE)),
      Release(library.Bind<CSMSG_RELEASE>(CSMSG_ORDINAL_RELEASE)),
      CreateMessage(library.Bind<CSMSG_CREATE_MESSAGE>(CSMSG_ORDINAL_CREATE_MESSAGE)),
      SetHeader(library.Bind<CSMSG_SET_HEADER>(CSMSG_ORDINAL_SET_HEADER)),
      AppendText(library.Bind<CSMSG_APPEND_TEXT>(CSMSG_ORDINAL_APPEND_TEXT)),
      AttachFile(library.Bind<CSMSG_ATTACH_FILE>(CSMSG_ORDINAL_ATTACH_FILE)),
      ExportMessage(library.Bind<CSMSG_EXPORT_MESSAGE>(CSMSG_ORDINAL_EXPORT_MESSAGE)),
      LastError(library.Bind<CSMSG_LAST_ERROR>(CSMSG_ORDINAL_LAST_ERROR)),
      ErrorText(library.Bind<CSMSG_ERROR_TEXT>(CSMSG_ORDINAL_ERROR_TEXT))
{
}

std::string MessageLibrary::LastErrorText() const
{
    char text[128] = "";
    ErrorText(LastError(), text, sizeof(text));
    return text;
}

TransportLibrary::TransportLibrary()
    : Initialize(library.Bind<CSMTP_INITIALIZE>(CSMTP_ORDINAL_INITIALIZE)),
      Release(library.Bind<CSMTP_RELEASE>(CSMTP_ORDINAL_RELEASE)),
      Connect(library.Bind<CSMTP_CONNECT>(CSMTP_ORDINAL_CONNECT)),
      Hello(library.Bind<CSMTP_HELLO>(CSMTP_ORDINAL_HELLO)),
      SendMessageFile(library.Bind<CSMTP_SEND_MESSAGE_FILE>(CSMTP_ORDINAL_SEND_MESSAGE_FILE)),
      Disconnect(library.Bind<CSMTP_DISCONNECT>(CSMTP_ORDINAL_DISCONNECT)),
      LastError(library.Bind<CSMTP_LAST_ERROR>(CSMTP_ORDINAL_LAST_ERROR)),
      ErrorText(library.Bind<CSMTP_ERROR_TEXT>(CSMTP_ORDINAL_ERROR_TEXT))
{
}

std::string TransportLibrary::LastErrorText() const
{
    char text[128] = "";
    ErrorText(LastError(), text, sizeof(text));
    return text;
}

std::string TestProgramDirectory()
{
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

namespace {

std::string TestFolder()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test != nullptr ? test->name() : "no-test";
    // A parameterised test's name holds a "/" before its case.
    for (char& ch : name) {
        if (ch == '/')
            ch = '-';
    }
    return TestProgramDirectory() + name + "-files";
}

}  // namespace

std::string TestFilePath(const std::string& name)
{
    std::string folder = TestFolder();
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

void RemoveTestFolder()
{
    ::RemoveDirectoryA(TestFolder().c_str());
}

bool WriteTestFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ReadTestFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}
