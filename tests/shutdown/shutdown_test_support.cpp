#include "shutdown_test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("tvx_shutdown_" + std::to_string(::GetCurrentProcessId()) + "_" +
                         std::to_string(counter++));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::WithBackslash() const
{
    return m_path.string() + "\\";
}

ChildProcess::~ChildProcess()
{
    if (m_process && !Wait(0)) {
        ::TerminateProcess(m_process.Get(), 99);
        Wait(5000);
    }
}

bool ChildProcess::Start(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string writable = commandLine;
    if (!::CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    m_process.Reset(info.hProcess);
    m_id = info.dwProcessId;
    return true;
}

bool ChildProcess::Wait(DWORD milliseconds)
{
    return m_process && ::WaitForSingleObject(m_process.Get(), milliseconds) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = 0;
    if (!m_process || !::GetExitCodeProcess(m_process.Get(), &code))
        return static_cast<DWORD>(-1);
    return code;
}

std::filesystem::path TestProgramFolder()
{
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    return std::filesystem::path(module).parent_path();
}

std::vector<std::string> ReadLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

SessionProbe::SessionProbe(const char* mode) : m_record(m_folder.Path() / "record.txt")
{
    const auto program = TestProgramFolder() / "session_probe.exe";
    if (!m_process.Start("\"" + program.string() + "\" \"" + m_record.string() + "\" " + mode))
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline && !m_process.Wait(0)) {
        const auto lines = ReadLines(m_record);
        if (!lines.empty()) {
            std::istringstream ready(lines.front());
            std::string word;
            unsigned long long window = 0;
            unsigned long processId = 0;
            if (ready >> word >> std::hex >> window >> std::dec >> processId && word == "READY" &&
                processId == m_process.Id())
                m_window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(window));
            return;
        }
        ::Sleep(50);
    }
}

std::vector<std::string> SessionProbe::Messages() const
{
    auto lines = ReadLines(m_record);
    if (!lines.empty())
        lines.erase(lines.begin());
    return lines;
}
