#include "platform/com/kept_class_objects.h"

namespace tvx::com {

KeptClassObjects::~KeptClassObjects()
{
    // Runs during process exit, when the servers may already be gone: give
    // up the references instead of calling into them.
    for (Entry& e : entries_)
        e.factory.Detach();
}

HRESULT KeptClassObjects::Factory(REFCLSID clsid, ComPtr<IClassFactory>& out)
{
    {
        ScopedLock hold(lock_);
        for (const Entry& e : entries_) {
            if (IsEqualCLSID(e.clsid, clsid)) {
                out = e.factory;
                return S_OK;
            }
        }
    }
    // Asked outside the lock: loading a server runs its DllMain.
    ComPtr<IClassFactory> factory;
    const HRESULT hr =
        CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ScopedLock hold(lock_);
    for (const Entry& e : entries_) {
        if (IsEqualCLSID(e.clsid, clsid)) {
            out = e.factory;
            return S_OK;
        }
    }
    // A kept class object keeps its server loaded: without the lock COM
    // would unload a server whose objects are all gone, and the pointer
    // kept here would then point nowhere.
    if (FAILED(factory->LockServer(TRUE))) {
        out = factory;
        return S_OK;
    }
    entries_.push_back(Entry{clsid, factory});
    out = factory;
    return S_OK;
}

HRESULT KeptClassObjects::CreateInstance(REFCLSID clsid, IUnknown* outer, REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    ComPtr<IClassFactory> factory;
    const HRESULT hr = Factory(clsid, factory);
    if (FAILED(hr))
        return hr;
    return factory->CreateInstance(outer, iid, out);
}

void KeptClassObjects::Clear()
{
    std::vector<Entry> released;
    {
        ScopedLock hold(lock_);
        released.swap(entries_);
    }
    // Released outside the lock: a server's class object may go with it.
    for (Entry& e : released)
        e.factory->LockServer(FALSE);
}

}  // namespace tvx::com
