// Helpers of the tests that drive QVTask and QVTaskCollection through COM:
// objects of the registered server, event sinks that count, scratch files,
// message boxes answered as a user would, and probes for the commands that
// the command component carries.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"

namespace tasktest {

// Each test in the multithreaded apartment, as the engine's threads are;
// events from a task's run thread then reach the sinks directly.
class TaskComTest : public ::testing::Test {
protected:
    tvx::com::CoInit com_{COINIT_MULTITHREADED};
};

tvx::com::ComPtr<IQVTask> NewTask(const wchar_t* description = L"");
tvx::com::ComPtr<IQVTaskCollection> NewCollection();
tvx::com::ComPtr<IQVCommand> NewCommand(const wchar_t* line);

// Appends command lines to the task's command list.
void AddCommands(IQVTask* task, std::initializer_list<const wchar_t*> lines);
template <class I>
tvx::com::ComPtr<I> Part(IQVTask* task)
{
    tvx::com::ComPtr<I> part;
    EXPECT_HRESULT_SUCCEEDED(task->QueryInterface(__uuidof(I), part.ReceiveVoid()));
    return part;
}

// Late-bound calls, as scripts make them.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags,
                     std::initializer_list<tvx::com::Variant> args, tvx::com::Variant* result = nullptr);
HRESULT GetByName(IDispatch* object, const wchar_t* name, tvx::com::Variant& result);
HRESULT PutByName(IDispatch* object, const wchar_t* name, const tvx::com::Variant& value);
long GetLongByName(IDispatch* object, const wchar_t* name);

// The calling thread's error description, taken (and so cleared).
std::wstring TakeErrorDescription();

// DllCanUnloadNow of a loaded module: S_OK when it holds no object.
HRESULT ModuleCanUnloadNow(const wchar_t* module);

// The local time, whole seconds, moved by the given number of seconds.
DATE Now(long plusSeconds = 0);

// An IDispatch sink of an event interface, counting DataChanged (id 2).
class EventCounter {
public:
    EventCounter(IUnknown* source, REFIID events);
    ~EventCounter();
    EventCounter(const EventCounter&) = delete;
    EventCounter& operator=(const EventCounter&) = delete;
    long DataChanged() const;

private:
    class Sink;
    tvx::com::ComPtr<IConnectionPoint> point_;
    tvx::com::ComPtr<IDispatch> sink_;
    Sink* counts_ = nullptr;
    DWORD cookie_ = 0;
};

// Polls until the condition holds or the limit passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs);

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring operator/(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The file's bytes as text; empty when it does not exist.
std::string ReadFileText(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The lines of a log file without their date and time columns
// ("%-10s %-8s %s\r\n"); a line not of that form is kept whole.
std::vector<std::string> LogTexts(const std::wstring& path);

std::string Narrow(const std::wstring& text);

// Answers a message box of the given caption, shown by any thread of this
// process, as a user would: waits for it, keeps its text, clicks a button.
class BoxAnswerer {
public:
    BoxAnswerer(const wchar_t* caption, int button);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    // Waits for the answerer to have answered a box; the text it showed.
    bool Answered(DWORD limitMs);
    std::wstring Text() const { return text_; }

private:
    std::wstring caption_;
    int button_;
    std::wstring text_;
    std::atomic<bool> answered_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Whether the command of the line is carried by this build of the command
// component (the desktop commands may not be hooked in yet): runs the line
// once and looks for the text of a command that is not there.
bool CommandAvailable(const wchar_t* line);
// The error text a queue run of the single line leaves behind.
std::wstring QueueErrorOf(const wchar_t* line);

// A program the tests start through scripts and always end.
std::wstring SleeperPath();
// Process ids of running programs with that executable name.
std::vector<DWORD> ProcessesNamed(const wchar_t* exeName);

}  // namespace tasktest
