// Helpers of the engine's tests. The tests run the engine from a copy of
// Tarvex.exe beside the test programs, in their own build folder: the engine
// keeps "tasks\", "$qvxsys.dat" and "qvdiag.log" beside its executable, and a
// task written by a test through QvxTask in its own process lands in the same
// "tasks\" folder, since the storage component uses the folder of the
// executable that loaded it. The engine tests share that folder and the
// engine's registration, so CTest runs them one at a time.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"
#include "tarvex.h"

namespace enginetest {

// The codes the scheduler's StatusChange event carries.
constexpr long kStatusRunning = 0;
constexpr long kStatusStopped = 1;
constexpr long kStatusSuspended = 2;
constexpr long kStatusStarted = 3;
constexpr long kStatusTasks = 4;
constexpr long kStatusCountdown = 5;

// The folder of the test programs and of the engine copy, with a trailing
// backslash.
std::wstring EngineFolder();
std::wstring EnginePath();
std::wstring SettingsFilePath();
std::wstring TaskFilePath(const wchar_t* description);
std::wstring DiagnosticsLogPath();

// Removes the task files, the settings file and the logs of earlier runs.
void ClearEngineFiles();

// The settings file's RunOnStartup (its second 32-bit field); -1 when the
// file can't be read.
long StoredRunOnStartup();
// Overwrites one 32-bit field of the settings file (0-based field index).
bool PatchSettingsField(int field, long value);

// Writes a task file through a QVTask of this process: an enabled manual
// task with the command lines given, changed further by `configure` before
// it is written.
void WriteTaskFile(const wchar_t* description, std::initializer_list<const wchar_t*> lines,
                   const std::function<void(IQVTask*)>& configure = {});

// Whether this build of the command component carries the command of the
// line: runs the line once and looks for the text of a command that is not
// there.
bool CommandAvailable(const std::wstring& line);

// The tests that run scripts need their commands: a command component that
// lacks one fails the test (never a skip, which would count as a pass).
#define REQUIRE_COMMAND_AVAILABLE(line, name)                                                             \
    ASSERT_TRUE(::enginetest::CommandAvailable(line)) << name << " does not work in this build of the command " \
                                                                    "component"

// Runs a command line to its end: its exit code, or ~0u when it could not
// be started or outlived the wait (it is then ended). With `output`, the
// program's standard output and error are collected there.
DWORD RunToEnd(const std::wstring& command_line, DWORD timeout_ms = 60000, std::string* output = nullptr);
// "<engine copy>" followed by the arguments.
DWORD RunEngine(const std::wstring& arguments, DWORD timeout_ms = 60000, std::string* output = nullptr);

// An engine process started by the test with its standard output and
// error collected; the test ends it if it is still there.
class EngineProcess {
public:
    explicit EngineProcess(const std::wstring& arguments);
    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    bool Started() const { return process_.Valid(); }
    DWORD Id() const { return id_; }
    // Waits for the end; the exit code, or ~0u when it did not end.
    DWORD WaitForExit(DWORD timeout_ms);
    // Waits until the output holds the text.
    bool WaitForOutput(const std::string& text, DWORD timeout_ms);
    std::string Output();

private:
    struct Output;
    tvx::com::Handle process_;
    DWORD id_ = 0;
    std::shared_ptr<struct Output> output_;
    std::thread reader_;
};

// Ids of the running engine processes (any Tarvex.exe).
std::vector<DWORD> EngineProcessIds();
// Waits until no engine process runs; those left after the wait are ended
// and false is returned.
bool EnginesEnd(DWORD timeout_ms);

// Polls until the condition holds or the limit passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD limit_ms);

// A client's sink of _IQVSchedulerEvents: the StatusChange codes in order.
class StatusSink : public tvx::com::ComClass<StatusSink>, public IDispatch {
public:
    static tvx::com::InterfaceTable Interfaces();

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

    std::vector<long> Codes();
    long Count(long code);
    void Clear();
    // Waits (dispatching messages, as a single-threaded client must) until
    // the sink has seen `count` events of `code`.
    bool WaitFor(long code, long count, DWORD limit_ms);
    // Optional reaction to each event, on the thread that delivers it.
    void OnEvent(std::function<void(long)> reaction);

private:
    tvx::com::CriticalSection lock_;
    std::vector<long> codes_;
    std::function<void(long)> reaction_;
};

// A sink advised on a scheduler's _IQVSchedulerEvents for its lifetime.
class StatusConnection {
public:
    explicit StatusConnection(IUnknown* scheduler);
    ~StatusConnection();
    StatusConnection(const StatusConnection&) = delete;
    StatusConnection& operator=(const StatusConnection&) = delete;
    bool Connected() const { return cookie_ != 0; }
    StatusSink& Sink() { return *sink_.Get(); }

private:
    tvx::com::ComPtr<tvx::com::ComObject<StatusSink>> sink_;
    tvx::com::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// The calling thread's error description, taken (and so cleared).
std::wstring TakeErrorDescription();
std::string Narrow(const std::wstring& text);
std::string ReadFileText(const std::wstring& path);
bool FileExists(const std::wstring& path);

}  // namespace enginetest
