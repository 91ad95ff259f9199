#pragma once

#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/critical_section.h"
#include "platform/com/variant.h"

namespace tvx::com {

class ConnectionPointContainer;

// One outgoing (event) interface of an object: a member of the object's
// class, constructed with the object's ConnectionPointContainer base. It
// shares the object's lifetime: its AddRef and Release are the object's.
//
// Sinks are kept in the process's global interface table, so that an event
// can be fired from any thread that has joined an apartment (a scheduler or
// worker thread, not only the object's own); each sink is reached the way
// COM allows from there (directly, or through a proxy to its apartment or
// process).
class ConnectionPoint : public IConnectionPoint {
public:
    ConnectionPoint(ConnectionPointContainer& container, REFIID iid);
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    REFIID Iid() const { return iid_; }
    std::size_t SinkCount();

    // Calls the event with dispatch id `id` on every sink through
    // IDispatch::Invoke (arguments in declaration order). A sink that fails
    // or is gone (its client ended) is skipped; returns how many took it.
    std::size_t Fire(DISPID id, std::initializer_list<Variant> args = {});
    std::size_t Fire(DISPID id, const Variant* args, std::size_t count);

    // The sinks as interface I, usable on the calling thread (for events
    // on a vtable interface).
    template <class I>
    std::vector<ComPtr<I>> Sinks()
    {
        std::vector<ComPtr<I>> sinks;
        for (DWORD cookie : Cookies()) {
            ComPtr<I> sink;
            if (SUCCEEDED(SinkFromCookie(cookie, __uuidof(I), sink.ReceiveVoid())))
                sinks.push_back(sink);
        }
        return sinks;
    }

private:
    std::vector<DWORD> Cookies();
    HRESULT SinkFromCookie(DWORD cookie, REFIID iid, void** out);

    ConnectionPointContainer& container_;
    IID iid_;
    CriticalSection lock_;
    std::vector<DWORD> cookies_;  // global interface table cookies
    // The table, kept while sinks are connected: asking COM for it reads the
    // registry, and a list filled with thousands of tasks fires once per task.
    ComPtr<IGlobalInterfaceTable> table_;
};

// IConnectionPointContainer of a class whose ConnectionPoint members name it.
// List it with Interface<IConnectionPointContainer>().
class ConnectionPointContainer : public IConnectionPointContainer {
public:
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

private:
    friend class ConnectionPoint;
    std::vector<ConnectionPoint*> points_;
};

}  // namespace tvx::com
