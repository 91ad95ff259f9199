#include "platform/com/type_info_cache.h"

#include <ole2.h>

#include <string>

#include "platform/com/module.h"

namespace tvx::com {

TypeInfoCache::~TypeInfoCache()
{
    // Runs during process exit, when oleaut32 may already have been shut
    // down: give up the references instead of calling into it.
    for (Entry& e : entries_) {
        e.info.dispatch.Detach();
        e.info.vtable.Detach();
    }
    lib_.Detach();
}

HRESULT TypeInfoCache::LoadLocked()
{
    if (lib_)
        return S_OK;
    std::wstring path = ModuleFileName(module_);
    if (path.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    // REGKIND_NONE: serving IDispatch must not depend on (or alter) the
    // registration; the resource in our own file is the authority.
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib_.Receive());
}

HRESULT TypeInfoCache::TypeLib(ComPtr<ITypeLib>& out)
{
    ScopedLock hold(lock_);
    HRESULT hr = LoadLocked();
    if (FAILED(hr))
        return hr;
    out = lib_;
    return S_OK;
}

HRESULT TypeInfoCache::TypeInfo(REFIID iid, InterfaceTypeInfo& out)
{
    ScopedLock hold(lock_);
    for (const Entry& e : entries_) {
        if (IsEqualIID(e.iid, iid)) {
            out = e.info;
            return S_OK;
        }
    }
    HRESULT hr = LoadLocked();
    if (FAILED(hr))
        return hr;

    Entry entry{iid, {}};
    hr = lib_->GetTypeInfoOfGuid(iid, entry.info.dispatch.Receive());
    if (FAILED(hr))
        return hr;

    TYPEATTR* attr = nullptr;
    hr = entry.info.dispatch->GetTypeAttr(&attr);
    if (FAILED(hr))
        return hr;
    bool dispatch_kind = attr->typekind == TKIND_DISPATCH;
    entry.info.dispatch->ReleaseTypeAttr(attr);

    if (dispatch_kind) {
        // A dual interface is described twice; index -1 leads from the
        // dispatch view to the vtable view.
        HREFTYPE ref = 0;
        hr = entry.info.dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref);
        if (SUCCEEDED(hr))
            hr = entry.info.dispatch->GetRefTypeInfo(ref, entry.info.vtable.Receive());
        if (FAILED(hr))
            return hr;  // a pure dispinterface: nothing to call through a vtable
    } else {
        entry.info.vtable = entry.info.dispatch;
    }

    entries_.push_back(entry);
    out = entry.info;
    return S_OK;
}

void TypeInfoCache::Clear()
{
    ScopedLock hold(lock_);
    entries_.clear();
    lib_.Reset();
}

}  // namespace tvx::com
