#include "tests/task/condition_test_support.h"

#include <atomic>
#include <vector>

#include "task/cond_trigger.h"

namespace condtest {

std::string HostProgramPath(const char* linuxPath)
{
    // Wine maps the host's root to drive Z:.
    std::string path = "Z:";
    for (const char* c = linuxPath; *c != '\0'; ++c)
        path += *c == '/' ? '\\' : *c;
    return path;
}

tvx::com::ComPtr<IQVCondTrigger> NewCondTrigger()
{
    tvx::com::ComPtr<IQVCondTrigger> trigger;
    const HRESULT hr = tvx::com::ComObject<CQVCondTrigger>::Create(nullptr, IID_IQVCondTrigger, trigger.ReceiveVoid());
    EXPECT_EQ(S_OK, hr) << "QVCondTrigger could not be made (is QvxCmd registered?)";
    return trigger;
}

TaskCheck CheckLikeTask(IQVCondTrigger* trigger)
{
    TaskCheck check;
    check.hr = trigger->get_IsActive(&check.active);
    if (FAILED(check.hr))
        return check;
    long toggled = 0;
    EXPECT_EQ(S_OK, trigger->get_HasToggled(&toggled));
    if (check.active == 1 && toggled == 1) {
        check.fired = true;
        EXPECT_EQ(S_OK, trigger->put_HasToggled(0));
    }
    return check;
}

void Arm(IQVCondTrigger* trigger, short condType, const std::string& condName)
{
    ASSERT_EQ(S_OK, trigger->put_Enabled(1));
    ASSERT_EQ(S_OK, trigger->put_CondType(condType));
    tvx::com::Bstr name(Wide(condName));
    ASSERT_EQ(S_OK, trigger->put_CondName(name.Get()));
    ASSERT_EQ(S_OK, trigger->Reset());
}

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const wchar_t* text)
{
    if (text == nullptr || *text == L'\0')
        return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length) - 1);
    return narrow;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG end = GetTickCount64() + limitMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
}

namespace {

void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::atomic<int> g_scratchCount{0};

}  // namespace

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "tvxcond_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++g_scratchCount);
    DeleteTree(m_path);
    EXPECT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr)) << m_path;
}

ScratchFolder::~ScratchFolder()
{
    DeleteTree(m_path);
}

void WriteFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    CloseHandle(file);
}

void AppendToFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    CloseHandle(file);
}

void TouchFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    FILETIME created, accessed, modified;
    EXPECT_TRUE(GetFileTime(file, &created, &accessed, &modified));
    ULARGE_INTEGER time;
    time.LowPart = modified.dwLowDateTime;
    time.HighPart = modified.dwHighDateTime;
    time.QuadPart += 10ull * 10000000ull;  // ten seconds
    modified.dwLowDateTime = time.LowPart;
    modified.dwHighDateTime = time.HighPart;
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &modified));
    CloseHandle(file);
}

void DeleteFileOrFail(const std::string& path)
{
    EXPECT_TRUE(DeleteFileA(path.c_str())) << path << " error " << GetLastError();
}

FileLock::FileLock(const std::string& path)
{
    m_file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, m_file) << path;
}

FileLock::~FileLock()
{
    Release();
}

void FileLock::Append(const std::string& content)
{
    ASSERT_TRUE(Held());
    SetFilePointer(m_file, 0, nullptr, FILE_END);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(m_file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    // Have the new size and time visible to others now, as a writer that
    // goes on writing would.
    FlushFileBuffers(m_file);
}

void FileLock::Release()
{
    if (m_file != INVALID_HANDLE_VALUE) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments, bool hidden)
{
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION started{};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        m_process = started.hProcess;
        m_id = started.dwProcessId;
    }
    EXPECT_TRUE(Started()) << line << " error " << GetLastError();
}

ChildProcess::~ChildProcess()
{
    End();
}

void ChildProcess::End()
{
    if (m_process == nullptr)
        return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 10000);
    CloseHandle(m_process);
    m_process = nullptr;
}

void CondTriggerTest::SetUp()
{
    ASSERT_TRUE(m_com.Succeeded());
    trigger = NewCondTrigger();
    ASSERT_TRUE(trigger);
}

}  // namespace condtest
