// Helpers of the condition tests: a condition trigger object, a check made
// the way a task makes it, scratch folders, and helper programs that the
// tests start and always end.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/com/com.h"
#include "qvxtask.h"

namespace condtest {

// The Windows path of a program built beside the tests (a Linux path of the
// build tree, as CMake knows it).
std::string HostProgramPath(const char* linuxPath);

// A new stand-alone QVCondTrigger, made in this process.
tvx::com::ComPtr<IQVCondTrigger> NewCondTrigger();

// One check as the task makes it: read IsActive (which runs the test); the
// task fires when the condition is active and has toggled, and then clears
// HasToggled, so that a condition that stays true fires once.
struct TaskCheck {
    HRESULT hr = E_FAIL;
    long active = -1;
    bool fired = false;
};
TaskCheck CheckLikeTask(IQVCondTrigger* trigger);

// An enabled trigger of the type, watching the name, reset.
void Arm(IQVCondTrigger* trigger, short condType, const std::string& condName);

std::wstring Wide(const std::string& text);
std::string Narrow(const wchar_t* text);

// Polls until the condition holds or the limit passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs);

// A folder of its own under the temporary folder, deleted with everything in
// it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder, or a name inside it; no trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// File operations of the tests; each fails the test when it cannot be done.
void WriteFile(const std::string& path, const std::string& content);
void AppendToFile(const std::string& path, const std::string& content);
// Moves the modification time a few seconds on, the size unchanged.
void TouchFile(const std::string& path);
void DeleteFileOrFail(const std::string& path);

// Holds a file open for writing while denying others write access.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return m_file != INVALID_HANDLE_VALUE; }
    // Writes through the lock.
    void Append(const std::string& content);
    void Release();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
};

// A program started by the test; ended (if still running) when the object
// goes, also when the test fails on the way.
class ChildProcess {
public:
    // hidden starts the program with its window hidden.
    ChildProcess(const std::string& program, const std::string& arguments, bool hidden = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    // Ends the program and waits until it is gone.
    void End();

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// A test in a single-threaded apartment, as the administrator calls.
class CondTriggerTest : public ::testing::Test {
protected:
    void SetUp() override;
    tvx::com::CoInit m_com{COINIT_APARTMENTTHREADED};
    tvx::com::ComPtr<IQVCondTrigger> trigger;
};

}  // namespace condtest
