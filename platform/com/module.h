#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/com/kept_class_objects.h"
#include "platform/com/type_info_cache.h"

namespace tvx::com {

// The state COM needs once per module (DLL or EXE): the count of live objects
// and server locks, the module's own type library, and for local servers the
// idle signal and the stopping flag. Each module that links this library has
// its own instance, reached through Module::Current().
class Module {
public:
    static Module& Current();

    HMODULE Handle() const { return handle_; }
    std::wstring Path() const;

    // Objects and IClassFactory::LockServer hold the module.
    void Lock();
    void Unlock();
    LONG LockCount() const { return locks_.load(); }

    // DllCanUnloadNow: S_OK when nothing holds the module (and then drops
    // the cached type library, which the next load reads again, and the
    // kept class objects of other servers).
    HRESULT CanUnloadNow();

    TypeInfoCache& TypeInfos() { return type_infos_; }
    KeptClassObjects& ClassObjects() { return class_objects_; }

    // Local servers. Signalled each time the lock count drops to zero.
    HANDLE IdleEvent();
    // True when the count dropped to zero since the last call.
    bool TakeActivity() { return activity_.exchange(false); }

    // A local server that decided to end refuses new objects: the class
    // factories answer CO_E_SERVER_STOPPING instead of creating one.
    // BeginStopping succeeds only while nothing holds the module; together
    // with the order in TryLockForNewObject no object can slip in unnoticed.
    bool BeginStopping();
    void CancelStopping() { stopping_.store(false); }
    bool Stopping() const { return stopping_.load(); }
    // Locks the module for an object about to be created; fails (and leaves
    // the count as it was) when the module is stopping.
    bool TryLockForNewObject();

private:
    Module();
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE handle_;
    std::atomic<LONG> locks_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> activity_{false};
    std::atomic<HANDLE> idle_event_{nullptr};
    TypeInfoCache type_infos_;
    KeptClassObjects class_objects_;
};

// The full path of a module's file; empty when it can't be had.
std::wstring ModuleFileName(HMODULE module);

}  // namespace tvx::com
