#pragma once

#include <oaidl.h>

#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/critical_section.h"

namespace tvx::com {

// The type descriptions of one interface, as a dual IDispatch needs them.
struct InterfaceTypeInfo {
    // What IDispatch::GetTypeInfo hands out (the dispatch view of a dual).
    ComPtr<ITypeInfo> dispatch;
    // The vtable view, which ITypeInfo::Invoke needs to call the methods.
    ComPtr<ITypeInfo> vtable;
};

// The type library embedded in a module as TYPELIB resource 1, loaded on the
// first request and kept with the type descriptions asked for so far.
// Thread-safe; one per module (see Module).
class TypeInfoCache {
public:
    explicit TypeInfoCache(HMODULE module) : module_(module) {}
    ~TypeInfoCache();
    TypeInfoCache(const TypeInfoCache&) = delete;
    TypeInfoCache& operator=(const TypeInfoCache&) = delete;

    HRESULT TypeLib(ComPtr<ITypeLib>& out);
    HRESULT TypeInfo(REFIID iid, InterfaceTypeInfo& out);
    // Drops everything (an in-process server about to be unloaded).
    void Clear();

private:
    struct Entry {
        IID iid;
        InterfaceTypeInfo info;
    };

    HRESULT LoadLocked();

    HMODULE module_;
    CriticalSection lock_;
    ComPtr<ITypeLib> lib_;
    std::vector<Entry> entries_;
};

}  // namespace tvx::com
