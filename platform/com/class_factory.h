#pragma once

#include <objbase.h>

#include <atomic>
#include <new>

#include "platform/com/critical_section.h"
#include "platform/com/module.h"
#include "platform/com/object.h"

namespace tvx::com {

// IUnknown and LockServer of a class factory. A factory does not hold the
// module by itself (COM keeps the factories of a local server for as long as
// they are registered); clients that keep one use LockServer.
class ClassFactoryBase : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP LockServer(BOOL lock) override;

protected:
    ClassFactoryBase() = default;
    virtual ~ClassFactoryBase() = default;

    // Creates a factory of type F holding one reference for the caller.
    template <class F>
    static HRESULT CreateFactory(IClassFactory** out)
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) F();
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    // Holds the module for the object being created, or fails when a local
    // server is on its way out.
    class CreationLock {
    public:
        CreationLock() : held_(Module::Current().TryLockForNewObject()) {}
        ~CreationLock()
        {
            if (held_)
                Module::Current().Unlock();
        }
        bool Held() const { return held_; }

    private:
        bool held_;
    };

private:
    std::atomic<LONG> refs_{1};
};

// Creates one new object of class T per activation.
template <class T>
class ClassFactory : public ClassFactoryBase {
public:
    static HRESULT Create(IClassFactory** out) { return CreateFactory<ClassFactory>(out); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        CreationLock lock;
        if (!lock.Held())
            return CO_E_SERVER_STOPPING;
        return ComObject<T>::Create(outer, iid, out);
    }
};

// Serves one object of class T to every activation while it lives. The
// factory keeps no reference of its own, so the object ends (FinalRelease)
// when its last client lets it go, and the next activation creates a new
// one. One instance per class and module, whichever factory asks.
template <class T>
class SingletonClassFactory : public ClassFactoryBase {
public:
    static HRESULT Create(IClassFactory** out) { return CreateFactory<SingletonClassFactory>(out); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CreationLock lock;
        if (!lock.Held())
            return CO_E_SERVER_STOPPING;

        Slot& slot = TheSlot();
        ScopedLock hold(slot.lock);
        ComPtr<Instance> object;
        if (slot.instance && slot.instance->TryAddRef()) {
            object.Attach(slot.instance);
        } else {
            HRESULT hr = Instance::Make(object);
            if (FAILED(hr))
                return hr;
            slot.instance = object.Get();
        }
        return object->QueryInterface(iid, out);
    }

private:
    class Instance : public ComObject<T> {
    public:
        static HRESULT Make(ComPtr<Instance>& out)
        {
            return ComObject<T>::Adopt(new (std::nothrow) Instance(), out);
        }
        ~Instance() override
        {
            Slot& slot = TheSlot();
            ScopedLock hold(slot.lock);
            if (slot.instance == this)
                slot.instance = nullptr;
        }

    private:
        Instance() : ComObject<T>(nullptr) {}
    };

    // Not a reference: the live instance, if any; cleared by its destructor.
    struct Slot {
        CriticalSection lock;
        Instance* instance = nullptr;
    };
    static Slot& TheSlot()
    {
        static Slot slot;
        return slot;
    }
};

}  // namespace tvx::com
