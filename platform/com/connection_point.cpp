#include "platform/com/connection_point.h"

#include <algorithm>
#include <memory>

#include "platform/com/snapshot_enum.h"

namespace tvx::com {

namespace {

HRESULT GlobalTable(ComPtr<IGlobalInterfaceTable>& table)
{
    return table.CreateInstance(CLSID_StdGlobalInterfaceTable, CLSCTX_INPROC_SERVER);
}

struct ConnectDataPolicy {
    static HRESULT Copy(CONNECTDATA* to, const CONNECTDATA& from)
    {
        *to = from;
        if (to->pUnk)
            to->pUnk->AddRef();
        return S_OK;
    }
    static void Destroy(CONNECTDATA* item)
    {
        if (item->pUnk)
            item->pUnk->Release();
        item->pUnk = nullptr;
    }
};

using EnumConnectionsObject = SnapshotEnum<IEnumConnections, CONNECTDATA, ConnectDataPolicy>;
using EnumPointsObject = SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, InterfaceCopyPolicy<IConnectionPoint>>;

}  // namespace

ConnectionPoint::ConnectionPoint(ConnectionPointContainer& container, REFIID iid) : container_(container), iid_(iid)
{
    container_.points_.push_back(this);
}

ConnectionPoint::~ConnectionPoint()
{
    // The object ends with sinks still connected (clients that never called
    // Unadvise): let them go.
    if (cookies_.empty())
        return;
    ComPtr<IGlobalInterfaceTable> table = table_;
    if (!table && FAILED(GlobalTable(table)))
        return;
    for (DWORD cookie : cookies_)
        table->RevokeInterfaceFromGlobal(cookie);
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ConnectionPoint::AddRef()
{
    return static_cast<IConnectionPointContainer&>(container_).AddRef();
}

STDMETHODIMP_(ULONG) ConnectionPoint::Release()
{
    return static_cast<IConnectionPointContainer&>(container_).Release();
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out)
        return E_POINTER;
    *out = &container_;
    (*out)->AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(iid_, events.ReceiveVoid())))
        return CONNECT_E_CANNOTCONNECT;
    ComPtr<IGlobalInterfaceTable> table;
    HRESULT hr = GlobalTable(table);
    if (FAILED(hr))
        return hr;
    // Kept as IUnknown, which COM can always marshal: the event interface
    // itself may have no proxy (a dispinterface whose type library is not
    // registered); Fire asks for IDispatch, which always has one.
    DWORD registered = 0;
    hr = table->RegisterInterfaceInGlobal(sink, IID_IUnknown, &registered);
    if (FAILED(hr))
        return hr;
    {
        ScopedLock hold(lock_);
        cookies_.push_back(registered);
        if (!table_)
            table_ = table;
    }
    *cookie = registered;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie)
{
    ComPtr<IGlobalInterfaceTable> table;
    {
        ScopedLock hold(lock_);
        auto found = std::find(cookies_.begin(), cookies_.end(), cookie);
        if (found == cookies_.end())
            return CONNECT_E_NOCONNECTION;
        cookies_.erase(found);
        table = table_;
        if (cookies_.empty())
            table_.Reset();
    }
    // Outside the lock: releasing a remote sink is a call to its process.
    if (!table) {
        const HRESULT hr = GlobalTable(table);
        if (FAILED(hr))
            return hr;
    }
    table->RevokeInterfaceFromGlobal(cookie);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    auto items = std::make_shared<EnumConnectionsObject::Items>();
    for (DWORD cookie : Cookies()) {
        ComPtr<IUnknown> sink;
        if (FAILED(SinkFromCookie(cookie, IID_IUnknown, sink.ReceiveVoid())))
            continue;
        HRESULT hr = items->Add(CONNECTDATA{sink.Get(), cookie});
        if (FAILED(hr))
            return hr;
    }
    return EnumConnectionsObject::Create(std::move(items), 0, out);
}

std::size_t ConnectionPoint::SinkCount()
{
    ScopedLock hold(lock_);
    return cookies_.size();
}

std::vector<DWORD> ConnectionPoint::Cookies()
{
    ScopedLock hold(lock_);
    return cookies_;
}

HRESULT ConnectionPoint::SinkFromCookie(DWORD cookie, REFIID iid, void** out)
{
    ComPtr<IGlobalInterfaceTable> table;
    {
        ScopedLock hold(lock_);
        table = table_;
    }
    if (!table) {
        const HRESULT hr = GlobalTable(table);
        if (FAILED(hr))
            return hr;
    }
    return table->GetInterfaceFromGlobal(cookie, iid, out);
}

std::size_t ConnectionPoint::Fire(DISPID id, std::initializer_list<Variant> args)
{
    return Fire(id, args.begin(), args.size());
}

std::size_t ConnectionPoint::Fire(DISPID id, const Variant* args, std::size_t count)
{
    std::size_t delivered = 0;
    for (const ComPtr<IDispatch>& sink : Sinks<IDispatch>()) {
        // IDispatch takes the arguments last to first; a fresh shallow copy
        // per sink, as a sink in this process might (wrongly) alter them.
        std::vector<VARIANT> reversed(count);
        for (std::size_t i = 0; i < count; ++i)
            reversed[count - 1 - i] = args[i].Get();
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(count), 0};
        Variant result;
        if (SUCCEEDED(sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Receive(),
                                   nullptr, nullptr)))
            ++delivered;
    }
    return delivered;
}

STDMETHODIMP ConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    auto items = std::make_shared<EnumPointsObject::Items>();
    for (ConnectionPoint* point : points_) {
        HRESULT hr = items->Add(point);
        if (FAILED(hr))
            return hr;
    }
    return EnumPointsObject::Create(std::move(items), 0, out);
}

STDMETHODIMP ConnectionPointContainer::FindConnectionPoint(REFIID iid, IConnectionPoint** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (ConnectionPoint* point : points_) {
        if (IsEqualIID(point->Iid(), iid)) {
            *out = point;
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

}  // namespace tvx::com
