#include "platform/com/module.h"

namespace tvx::com {

namespace {

HMODULE ModuleOfThisCode()
{
    // This library is linked statically into every server, so the module
    // that holds this function is the server's own DLL or EXE.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

}  // namespace

std::wstring ModuleFileName(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

Module& Module::Current()
{
    static Module module;
    return module;
}

Module::Module() : handle_(ModuleOfThisCode()), type_infos_(handle_) {}

Module::~Module()
{
    HANDLE event = idle_event_.exchange(nullptr);
    if (event)
        CloseHandle(event);
}

std::wstring Module::Path() const
{
    return ModuleFileName(handle_);
}

void Module::Lock()
{
    ++locks_;
}

void Module::Unlock()
{
    if (--locks_ == 0) {
        activity_.store(true);
        HANDLE event = idle_event_.load();
        if (event)
            SetEvent(event);
    }
}

HRESULT Module::CanUnloadNow()
{
    if (locks_.load() != 0)
        return S_FALSE;
    type_infos_.Clear();
    class_objects_.Clear();
    return S_OK;
}

HANDLE Module::IdleEvent()
{
    HANDLE event = idle_event_.load();
    if (event)
        return event;
    HANDLE created = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!created)
        return nullptr;
    if (!idle_event_.compare_exchange_strong(event, created)) {
        CloseHandle(created);  // another thread was first
        return event;
    }
    return created;
}

bool Module::BeginStopping()
{
    stopping_.store(true);
    if (locks_.load() == 0)
        return true;
    stopping_.store(false);
    return false;
}

bool Module::TryLockForNewObject()
{
    // Lock first, then look at the flag: BeginStopping sets the flag first,
    // then looks at the count, so at least one side sees the other.
    ++locks_;
    if (!stopping_.load())
        return true;
    Unlock();
    return false;
}

}  // namespace tvx::com
