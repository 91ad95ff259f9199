#pragma once

#include <objbase.h>

#include <climits>
#include <cstddef>
#include <new>

#include "platform/com/com_ptr.h"
#include "platform/com/module.h"

namespace tvx::com {

template <class T>
class ComObject;

// One row of a class's interface table: the IID and how to answer it.
struct InterfaceEntry {
    const IID* iid;
    HRESULT (*query)(void* object, REFIID iid, void** out);
};

class InterfaceTable {
public:
    template <std::size_t N>
    InterfaceTable(const InterfaceEntry (&entries)[N]) : begin_(entries), end_(entries + N)
    {
    }
    const InterfaceEntry* begin() const { return begin_; }
    const InterfaceEntry* end() const { return end_; }

private:
    const InterfaceEntry* begin_;
    const InterfaceEntry* end_;
};

// Base of every COM class built with this library (through ComClass<T>).
// It holds the module while the object lives: list it (through ComClass)
// first among the bases, so that it is destroyed last.
class ComObjectRoot {
public:
    // The IUnknown that decides the object's identity and lifetime: the
    // outer object's when this one is aggregated, else its own.
    IUnknown* ControllingUnknown() const { return controlling_; }

    // Hooks a class may hide with its own. FinalConstruct runs once the
    // object is complete (ControllingUnknown is set, the object holds one
    // reference); a failure destroys the object. FinalRelease runs before
    // the object is deleted, also after a failed FinalConstruct.
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}

    // Whether the class may be created inside an aggregate; a class that
    // allows it hides this with its own constant set to true.
    static constexpr bool kAggregatable = false;

protected:
    ComObjectRoot() { Module::Current().Lock(); }
    virtual ~ComObjectRoot() { Module::Current().Unlock(); }
    ComObjectRoot(const ComObjectRoot&) = delete;
    ComObjectRoot& operator=(const ComObjectRoot&) = delete;

private:
    template <class>
    friend class ComObject;

    IUnknown* controlling_ = nullptr;
};

// Helpers for the interface table of class T. T implements
//     static InterfaceTable Interfaces();
// returning a static array of the entries below; IUnknown is always answered.
template <class T>
class ComClass : public ComObjectRoot {
protected:
    // Interface I, implemented by T through its base Via (Via derives from
    // I; give it when I is ambiguous, e.g. IDispatch of a dual interface).
    template <class I, class Via = I>
    static constexpr InterfaceEntry Interface()
    {
        return {&__uuidof(I), &QueryCast<I, Via>};
    }
    // An IID with no C++ type of its own (e.g. an event dispinterface that
    // a sink implements as IDispatch), answered with interface Via.
    template <class Via>
    static constexpr InterfaceEntry InterfaceId(const IID& iid)
    {
        return {&iid, &QueryCast<Via, Via>};
    }
    // Interface I of an aggregated inner object, whose non-delegating
    // IUnknown T keeps in the member Inner.
    template <class I, ComPtr<IUnknown> T::*Inner>
    static constexpr InterfaceEntry Aggregate()
    {
        return {&__uuidof(I), &QueryInner<Inner>};
    }

    // Creates the inner object of an aggregate, with this object as outer.
    // Call from FinalConstruct; keep the result in a ComPtr<IUnknown> member
    // that Aggregate<> names and that FinalRelease or the destructor drops.
    HRESULT CreateAggregate(REFCLSID clsid, ComPtr<IUnknown>& inner, DWORD context = CLSCTX_INPROC_SERVER)
    {
        return CoCreateInstance(clsid, ControllingUnknown(), context, IID_IUnknown, inner.ReceiveVoid());
    }
    // The same in process through the class object this module keeps (see
    // KeptClassObjects), for parts of objects made by thousands; the part's
    // server then stays loaded until this module may unload.
    HRESULT CreateAggregateFromKeptClass(REFCLSID clsid, ComPtr<IUnknown>& inner)
    {
        return Module::Current().ClassObjects().CreateInstance(clsid, ControllingUnknown(), IID_IUnknown,
                                                               inner.ReceiveVoid());
    }
    // The same for an inner class of this module.
    template <class Inner>
    HRESULT CreateAggregate(ComPtr<IUnknown>& inner)
    {
        return ComObject<Inner>::Create(ControllingUnknown(), IID_IUnknown, inner.ReceiveVoid());
    }

private:
    template <class I, class Via>
    static HRESULT QueryCast(void* object, REFIID, void** out)
    {
        I* p = static_cast<Via*>(static_cast<T*>(object));
        p->AddRef();
        *out = p;
        return S_OK;
    }
    template <ComPtr<IUnknown> T::*Inner>
    static HRESULT QueryInner(void* object, REFIID iid, void** out)
    {
        const ComPtr<IUnknown>& inner = static_cast<T*>(object)->*Inner;
        if (!inner)
            return E_NOINTERFACE;
        return inner->QueryInterface(iid, out);
    }
};

// The object as created: class T with the IUnknown every one of its
// interfaces shares. Without an outer object it is its own controlling
// unknown; inside an aggregate every interface delegates to the outer one
// and only the non-delegating IUnknown (returned at creation) reaches T.
template <class T>
class ComObject : public T {
public:
    // Creates an object and asks it for iid. With an outer object the class
    // must allow aggregation and iid must be IID_IUnknown; *out then receives
    // the non-delegating IUnknown.
    static HRESULT Create(IUnknown* outer, REFIID iid, void** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer && (!T::kAggregatable || !IsEqualIID(iid, IID_IUnknown)))
            return CLASS_E_NOAGGREGATION;
        ComObject* object = new (std::nothrow) ComObject(outer);
        if (!object)
            return E_OUTOFMEMORY;
        // Only the internal count may be touched here: inside an aggregate
        // the public AddRef and Release belong to the outer object.
        object->InternalAddRef();
        HRESULT hr = object->FinalConstruct();
        if (SUCCEEDED(hr))
            hr = object->InternalQueryInterface(iid, out);
        object->InternalRelease();
        return hr;
    }

    // Creates a stand-alone object and keeps it with its C++ type, for the
    // code of the same module that needs more than its interfaces.
    static HRESULT Create(ComPtr<ComObject>& out) { return Adopt(new (std::nothrow) ComObject(nullptr), out); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return this->controlling_->QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return this->controlling_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return this->controlling_->Release(); }

    // Adds a reference unless the object is already being destroyed (for a
    // registry of live objects that holds no reference of its own).
    bool TryAddRef()
    {
        LONG refs = refs_;
        while (refs > 0) {
            LONG seen = InterlockedCompareExchange(&refs_, refs + 1, refs);
            if (seen == refs)
                return true;
            refs = seen;
        }
        return false;
    }

protected:
    explicit ComObject(IUnknown* outer) : non_delegating_(this)
    {
        this->controlling_ = outer ? outer : static_cast<IUnknown*>(&non_delegating_);
    }

    // Runs FinalConstruct on a new stand-alone object; on success out holds
    // its one reference.
    template <class Object>
    static HRESULT Adopt(Object* object, ComPtr<Object>& out)
    {
        if (!object)
            return E_OUTOFMEMORY;
        object->InternalAddRef();
        HRESULT hr = object->FinalConstruct();
        if (FAILED(hr)) {
            object->InternalRelease();
            return hr;
        }
        out.Attach(object);
        return S_OK;
    }

private:
    // While the object is destroyed its count stays far from both zero and
    // the positive range: references taken and dropped by FinalRelease
    // (an inner object talking to its outer) can't destroy it twice, and
    // TryAddRef can't revive it.
    static constexpr LONG kDestroying = -(LONG_MAX / 2);

    class NonDelegatingUnknown : public IUnknown {
    public:
        explicit NonDelegatingUnknown(ComObject* owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return owner_->InternalQueryInterface(iid, out); }
        STDMETHODIMP_(ULONG) AddRef() override { return owner_->InternalAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return owner_->InternalRelease(); }

    private:
        ComObject* owner_;
    };

    HRESULT InternalQueryInterface(REFIID iid, void** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            non_delegating_.AddRef();
            *out = static_cast<IUnknown*>(&non_delegating_);
            return S_OK;
        }
        for (const InterfaceEntry& entry : T::Interfaces()) {
            if (IsEqualIID(*entry.iid, iid))
                return entry.query(static_cast<T*>(this), iid, out);
        }
        return E_NOINTERFACE;
    }

    ULONG InternalAddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG InternalRelease()
    {
        LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) {
            refs_ = kDestroying;
            this->FinalRelease();
            delete this;
        }
        return static_cast<ULONG>(refs);
    }

    LONG refs_ = 0;
    NonDelegatingUnknown non_delegating_;
};

}  // namespace tvx::com
