#include "engine_test_support.h"

#include <tlhelp32.h>


using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Handle;
using tvx::com::ScopedLock;
using tvx::com::Variant;

namespace enginetest {

namespace {

constexpr DISPID kStatusChange = 0x60020000;

void DeleteMatching(const std::wstring& folder, const wchar_t* pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

std::wstring EngineFolder()
{
    std::wstring path = tvx::com::ModuleFileName(nullptr);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring EnginePath()
{
    return EngineFolder() + L"Tarvex.exe";
}

std::wstring SettingsFilePath()
{
    return EngineFolder() + L"$qvxsys.dat";
}

std::wstring TaskFilePath(const wchar_t* description)
{
    return EngineFolder() + L"tasks\\" + description + L".tsk";
}

std::wstring DiagnosticsLogPath()
{
    return EngineFolder() + L"qvdiag.log";
}

void ClearEngineFiles()
{
    DeleteMatching(EngineFolder() + L"tasks\\", L"*.tsk");
    DeleteFileW(SettingsFilePath().c_str());
    DeleteFileW(DiagnosticsLogPath().c_str());
    DeleteFileW((EngineFolder() + L"Qvxerror.log").c_str());
}

long StoredRunOnStartup()
{
    const std::string bytes = ReadFileText(SettingsFilePath());
    if (bytes.size() < 8)
        return -1;
    const auto byte = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    return static_cast<long>(byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24);
}

bool PatchSettingsField(int field, long value)
{
    Handle file(CreateFileW(SettingsFilePath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || SetFilePointer(file.Get(), field * 4, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    DWORD written = 0;
    return WriteFile(file.Get(), bytes, 4, &written, nullptr) && written == 4;
}

void WriteTaskFile(const wchar_t* description, std::initializer_list<const wchar_t*> lines,
                   const std::function<void(IQVTask*)>& configure)
{
    ComPtr<IQVTask> task;
    ASSERT_HRESULT_SUCCEEDED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
    ASSERT_HRESULT_SUCCEEDED(task->put_Description(Bstr(description).Get()));
    ASSERT_HRESULT_SUCCEEDED(task->put_TriggerType(0));
    ASSERT_HRESULT_SUCCEEDED(task->put_Enabled(1));
    ComPtr<IQVCmdCollection> commands;
    ASSERT_HRESULT_SUCCEEDED(task.As(commands));
    for (const wchar_t* line : lines) {
        ComPtr<IQVCommand> command;
        ASSERT_HRESULT_SUCCEEDED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
        ASSERT_HRESULT_SUCCEEDED(command->put_FullCommand(Bstr(line).Get()));
        ASSERT_HRESULT_SUCCEEDED(commands->Add(command.Get()));
    }
    if (configure)
        configure(task.Get());
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ASSERT_TRUE(FileExists(TaskFilePath(description)));
}

bool CommandAvailable(const std::wstring& line)
{
    ComPtr<IQVCommand> command;
    if (FAILED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER)) ||
        FAILED(command->put_FullCommand(Bstr(line).Get())))
        return false;
    command->Run();
    Bstr error;
    command->get_LastErrorString(error.Receive());
    const std::wstring text = error.ToString();
    const std::wstring missing = L" is not available";
    return !(text.size() >= missing.size() && text.compare(text.size() - missing.size(), missing.size(), missing) == 0);
}

DWORD RunToEnd(const std::wstring& command_line, DWORD timeout_ms, std::string* output)
{
    std::vector<wchar_t> line(command_line.begin(), command_line.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    Handle read_end;
    Handle write_end;
    if (output) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE r = nullptr;
        HANDLE w = nullptr;
        if (!CreatePipe(&r, &w, &inherit, 0))
            return ~0u;
        read_end.Reset(r);
        write_end.Reset(w);
        SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = w;
        startup.hStdError = w;
    }
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                        &info))
        return ~0u;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    write_end.Reset();
    if (output) {
        // The program's own pipe end closes when it ends.
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read_end.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
            output->append(buffer, got);
    }
    if (WaitForSingleObject(process.Get(), timeout_ms) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return ~0u;
    }
    DWORD code = ~0u;
    GetExitCodeProcess(process.Get(), &code);
    return code;
}

DWORD RunEngine(const std::wstring& arguments, DWORD timeout_ms, std::string* output)
{
    return RunToEnd(L"\"" + EnginePath() + L"\" " + arguments, timeout_ms, output);
}

struct EngineProcess::Output {
    std::mutex lock;
    std::string text;
    bool ended = false;
};

EngineProcess::EngineProcess(const std::wstring& arguments) : output_(std::make_shared<struct Output>())
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0))
        return;
    Handle reader(read_end);
    Handle writer(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

    std::wstring command_line = L"\"" + EnginePath() + L"\" " + arguments;
    std::vector<wchar_t> line(command_line.begin(), command_line.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    writer.Reset();
    // Owned by the reader: a program the engine started could keep the
    // pipe open after the engine's end.
    std::shared_ptr<struct Output> output = output_;
    reader_ = std::thread([output, pipe = reader.Detach()] {
        char buffer[1024];
        DWORD got = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            std::lock_guard<std::mutex> hold(output->lock);
            output->text.append(buffer, got);
        }
        CloseHandle(pipe);
        std::lock_guard<std::mutex> hold(output->lock);
        output->ended = true;
    });
}

EngineProcess::~EngineProcess()
{
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
    if (!reader_.joinable())
        return;
    if (WaitUntil(
            [&] {
                std::lock_guard<std::mutex> hold(output_->lock);
                return output_->ended;
            },
            2000))
        reader_.join();
    else
        reader_.detach();
}

DWORD EngineProcess::WaitForExit(DWORD timeout_ms)
{
    if (!process_ || WaitForSingleObject(process_.Get(), timeout_ms) != WAIT_OBJECT_0)
        return ~0u;
    DWORD code = ~0u;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool EngineProcess::WaitForOutput(const std::string& text, DWORD timeout_ms)
{
    return WaitUntil([&] { return Output().find(text) != std::string::npos; }, timeout_ms);
}

std::string EngineProcess::Output()
{
    std::lock_guard<std::mutex> hold(output_->lock);
    return output_->text;
}

std::vector<DWORD> EngineProcessIds()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"Tarvex.exe") == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

bool EnginesEnd(DWORD timeout_ms)
{
    if (WaitUntil([] { return EngineProcessIds().empty(); }, timeout_ms))
        return true;
    for (DWORD id : EngineProcessIds()) {
        Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
        if (process) {
            TerminateProcess(process.Get(), 1);
            WaitForSingleObject(process.Get(), 5000);
        }
    }
    return false;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limit_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= limit_ms)
            return false;
        Sleep(100);
    }
}

tvx::com::InterfaceTable StatusSink::Interfaces()
{
    static const tvx::com::InterfaceEntry entries[] = {
        Interface<IDispatch>(),
        InterfaceId<IDispatch>(DIID__IQVSchedulerEvents),
    };
    return entries;
}

STDMETHODIMP StatusSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    if (id != kStatusChange || !params || params->cArgs != 1)
        return DISP_E_MEMBERNOTFOUND;
    Variant code(params->rgvarg[0]);
    if (FAILED(code.ChangeType(VT_I4)))
        return DISP_E_TYPEMISMATCH;
    const long value = V_I4(&code.Get());
    std::function<void(long)> reaction;
    {
        ScopedLock hold(lock_);
        codes_.push_back(value);
        reaction = reaction_;
    }
    if (reaction)
        reaction(value);
    return S_OK;
}

std::vector<long> StatusSink::Codes()
{
    ScopedLock hold(lock_);
    return codes_;
}

long StatusSink::Count(long code)
{
    ScopedLock hold(lock_);
    long count = 0;
    for (long seen : codes_)
        count += seen == code ? 1 : 0;
    return count;
}

void StatusSink::Clear()
{
    ScopedLock hold(lock_);
    codes_.clear();
}

void StatusSink::OnEvent(std::function<void(long)> reaction)
{
    ScopedLock hold(lock_);
    reaction_ = std::move(reaction);
}

bool StatusSink::WaitFor(long code, long count, DWORD limit_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (Count(code) >= count)
            return true;
        if (GetTickCount() - start >= limit_ms)
            return false;
        // A single-threaded client receives its events through messages.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

StatusConnection::StatusConnection(IUnknown* scheduler)
{
    if (FAILED(tvx::com::ComObject<StatusSink>::Create(sink_)))
        return;
    ComPtr<IConnectionPointContainer> container;
    if (!scheduler || FAILED(scheduler->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())))
        return;
    if (FAILED(container->FindConnectionPoint(DIID__IQVSchedulerEvents, point_.Receive())))
        return;
    if (FAILED(point_->Advise(static_cast<IDispatch*>(sink_.Get()), &cookie_)))
        cookie_ = 0;
}

StatusConnection::~StatusConnection()
{
    if (point_ && cookie_)
        point_->Unadvise(cookie_);
}

std::wstring TakeErrorDescription()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return std::wstring();
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToString();
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

std::string ReadFileText(const std::wstring& path)
{
    std::string text;
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace enginetest
