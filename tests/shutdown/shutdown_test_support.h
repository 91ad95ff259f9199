// Processes, folders and record files for the shutdown helper's tests.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/com/handle.h"

// A folder of its own under the temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path with a trailing backslash, as the helper's routines take it.
    std::string WithBackslash() const;

private:
    std::filesystem::path m_path;
};

// A started program. A program still running when the object goes is ended.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // commandLine holds the program path first, quoted when needed.
    bool Start(const std::string& commandLine);
    // True when the program ended within the time.
    bool Wait(DWORD milliseconds);
    DWORD ExitCode() const;
    DWORD Id() const { return m_id; }

private:
    tvx::com::Handle m_process;
    DWORD m_id = 0;
};

// The folder of the running test program.
std::filesystem::path TestProgramFolder();

// The lines of a text file, without line ends; empty when there is none.
std::vector<std::string> ReadLines(const std::filesystem::path& file);

// session_probe.exe: a window of another process that records the
// end-session messages it gets.
class SessionProbe {
public:
    // mode: "answer", "slow" or "hung" (see session_probe.cpp).
    explicit SessionProbe(const char* mode);

    // False when the probe did not come up.
    bool Ready() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }
    ChildProcess& Process() { return m_process; }
    // The recorded messages, without the READY line.
    std::vector<std::string> Messages() const;

private:
    TempFolder m_folder;
    std::filesystem::path m_record;
    ChildProcess m_process;
    HWND m_window = nullptr;
};
