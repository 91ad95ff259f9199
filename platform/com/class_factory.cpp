#include "platform/com/class_factory.h"

namespace tvx::com {

STDMETHODIMP ClassFactoryBase::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClassFactoryBase::AddRef()
{
    return static_cast<ULONG>(++refs_);
}

STDMETHODIMP_(ULONG) ClassFactoryBase::Release()
{
    LONG refs = --refs_;
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP ClassFactoryBase::LockServer(BOOL lock)
{
    if (lock)
        Module::Current().Lock();
    else
        Module::Current().Unlock();
    return S_OK;
}

}  // namespace tvx::com
