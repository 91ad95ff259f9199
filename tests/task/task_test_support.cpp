#include "task_test_support.h"

#include <tlhelp32.h>

#include <cwchar>
#include <fstream>
#include <sstream>
#include <vector>

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Variant;

namespace tasktest {

ComPtr<IQVTask> NewTask(const wchar_t* description)
{
    ComPtr<IQVTask> task;
    const HRESULT hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    EXPECT_HRESULT_SUCCEEDED(hr) << "QvxTask.QVTask: " << Narrow(TakeErrorDescription());
    if (task && description != nullptr && *description != L'\0') {
        Bstr text(description);
        EXPECT_HRESULT_SUCCEEDED(task->put_Description(text.Get()));
    }
    return task;
}

ComPtr<IQVTaskCollection> NewCollection()
{
    ComPtr<IQVTaskCollection> collection;
    EXPECT_HRESULT_SUCCEEDED(collection.CreateInstance(CLSID_QVTaskCollection, CLSCTX_INPROC_SERVER));
    return collection;
}

ComPtr<IQVCommand> NewCommand(const wchar_t* line)
{
    ComPtr<IQVCommand> command;
    EXPECT_HRESULT_SUCCEEDED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
    if (command) {
        Bstr text(line);
        EXPECT_HRESULT_SUCCEEDED(command->put_FullCommand(text.Get()));
    }
    return command;
}

void AddCommands(IQVTask* task, std::initializer_list<const wchar_t*> lines)
{
    ComPtr<IQVCmdCollection> list = Part<IQVCmdCollection>(task);
    ASSERT_TRUE(list);
    for (const wchar_t* line : lines) {
        ComPtr<IQVCommand> command = NewCommand(line);
        ASSERT_TRUE(command);
        ASSERT_HRESULT_SUCCEEDED(list->Add(command.Get()));
    }
}

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
                     Variant* result)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed(args.size());
    size_t slot = args.size();
    for (const Variant& arg : args)
        reversed[--slot] = arg.Get();
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT argError = 0;
    Variant ignored;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                        result != nullptr ? result->Receive() : ignored.Receive(), &exception, &argError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT GetByName(IDispatch* object, const wchar_t* name, Variant& result)
{
    return InvokeByName(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &result);
}

HRESULT PutByName(IDispatch* object, const wchar_t* name, const Variant& value)
{
    return InvokeByName(object, name, DISPATCH_PROPERTYPUT, {value});
}

long GetLongByName(IDispatch* object, const wchar_t* name)
{
    Variant value;
    EXPECT_HRESULT_SUCCEEDED(GetByName(object, name, value)) << Narrow(name);
    EXPECT_HRESULT_SUCCEEDED(value.ChangeType(VT_I4)) << Narrow(name);
    return V_I4(&value.Get());
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

HRESULT ModuleCanUnloadNow(const wchar_t* module)
{
    const HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr)
        return E_FAIL;
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto entry = reinterpret_cast<CanUnloadNow>(GetProcAddress(handle, "DllCanUnloadNow"));
    return entry != nullptr ? entry() : E_FAIL;
}

DATE Now(long plusSeconds)
{
    SYSTEMTIME local;
    GetLocalTime(&local);
    local.wMilliseconds = 0;
    DATE now = 0;
    SystemTimeToVariantTime(&local, &now);
    return now + plusSeconds / 86400.0;
}

// --- events ---------------------------------------------------------------------

class EventCounter::Sink final : public IDispatch {
public:
    explicit Sink(REFIID events) : events_(events) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, events_)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const long refs = --refs_;
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id == 2)
            ++dataChanged;
        return S_OK;
    }

    std::atomic<long> dataChanged{0};

private:
    IID events_;
    std::atomic<long> refs_{1};
};

EventCounter::EventCounter(IUnknown* source, REFIID events)
{
    ComPtr<IConnectionPointContainer> container;
    EXPECT_HRESULT_SUCCEEDED(container.QueryFrom(source));
    if (!container)
        return;
    EXPECT_HRESULT_SUCCEEDED(container->FindConnectionPoint(events, point_.Receive()));
    counts_ = new Sink(events);
    sink_.Attach(counts_);
    if (point_) {
        EXPECT_HRESULT_SUCCEEDED(point_->Advise(sink_.Get(), &cookie_));
    }
}

EventCounter::~EventCounter()
{
    if (point_ && cookie_ != 0)
        point_->Unadvise(cookie_);
}

long EventCounter::DataChanged() const
{
    return counts_ != nullptr ? counts_->dataChanged.load() : -1;
}

// --- waiting, files ----------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG end = GetTickCount64() + limitMs;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
    return true;
}

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static std::atomic<int> counter{0};
    path_ = std::wstring(temp) + L"tvx_task_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    WIN32_FIND_DATAW found;
    const std::wstring pattern = path_ + L"\\*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::string ReadFileText(const std::wstring& path)
{
    std::ifstream file(Narrow(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> LogTexts(const std::wstring& path)
{
    std::vector<std::string> texts;
    const std::string content = ReadFileText(path);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
            end = content.size();
        const std::string line = content.substr(start, end - start);
        // "%-10s %-8s %s": the text starts at column 20.
        texts.push_back(line.size() >= 20 && line[10] == ' ' && line[19] == ' ' ? line.substr(20) : line);
        start = end + 2;
    }
    return texts;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], length, nullptr,
                        nullptr);
    return result;
}

// --- message boxes ------------------------------------------------------------------

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param)
{
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") != 0)
        return TRUE;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    std::wstring* longest = reinterpret_cast<std::wstring*>(param);
    if (std::wcslen(text) > longest->size())
        *longest = text;
    return TRUE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(const wchar_t* caption, int button) : caption_(caption), button_(button)
{
    thread_ = std::thread([this] {
        while (!stop_) {
            HWND box = FindWindowW(L"#32770", caption_.c_str());
            if (box != nullptr && IsWindowVisible(box)) {
                std::wstring text;
                EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
                text_ = text;
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
                answered_ = true;
                return;
            }
            Sleep(50);
        }
    });
}

BoxAnswerer::~BoxAnswerer()
{
    stop_ = true;
    thread_.join();
}

bool BoxAnswerer::Answered(DWORD limitMs)
{
    return WaitUntil([this] { return answered_.load(); }, limitMs);
}

// --- commands and helper programs -----------------------------------------------------

bool CommandAvailable(const wchar_t* line)
{
    ComPtr<IQVCommand> command = NewCommand(line);
    if (!command)
        return false;
    command->Run();
    Bstr error;
    command->get_LastErrorString(error.Receive());
    const std::wstring text = error.ToString();
    const std::wstring missing = L" is not available";
    return !(text.size() >= missing.size() && text.compare(text.size() - missing.size(), missing.size(), missing) == 0);
}

std::wstring QueueErrorOf(const wchar_t* line)
{
    ComPtr<IQVCommand> command = NewCommand(L"");
    if (!command)
        return std::wstring();
    Bstr text(line);
    command->AddToQue(text.Get());
    command->ExecuteQue();
    Bstr error;
    command->get_LastErrorString(error.Receive());
    return error.ToString();
}

std::wstring SleeperPath()
{
    std::wstring path = L"Z:";
    for (const char* c = TVX_SLEEPER; *c != '\0'; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

std::vector<DWORD> ProcessesNamed(const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

}  // namespace tasktest
