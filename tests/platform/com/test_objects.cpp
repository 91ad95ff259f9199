#include "test_objects.h"

namespace tvx::com::test {

Census CCounter::census;
Census CInner::census;
Census COuter::census;
HRESULT CCounter::fail_construct = S_OK;

InterfaceTable CCounter::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<ICounter>(),
        Interface<IDispatch, ICounter>(),
        Interface<ISupportErrorInfo>(),
        Interface<IConnectionPointContainer>(),
    };
    return entries;
}

HRESULT CCounter::FinalConstruct()
{
    ++census.final_constructs;
    HRESULT hr = fail_construct;
    fail_construct = S_OK;
    return hr;
}

STDMETHODIMP CCounter::Add(long amount)
{
    long total;
    Bstr label;
    {
        ScopedLock hold(lock_);
        total_ += amount;
        history_.push_back(total_);
        total = total_;
        label = label_;
    }
    events_.Fire(1, {Variant(total), Variant(label)});
    return S_OK;
}

STDMETHODIMP CCounter::get_Total(long* total)
{
    if (!total)
        return E_POINTER;
    ScopedLock hold(lock_);
    *total = total_;
    return S_OK;
}

STDMETHODIMP CCounter::get_Label(BSTR* label)
{
    ScopedLock hold(lock_);
    return label_.CopyTo(label);
}

STDMETHODIMP CCounter::put_Label(BSTR label)
{
    ScopedLock hold(lock_);
    label_ = Bstr(label, SysStringLen(label));
    return S_OK;
}

STDMETHODIMP CCounter::Fail(BSTR description)
{
    return ReportError(E_FAIL, __uuidof(ICounter), description, L"TvxComTest.Counter");
}

STDMETHODIMP CCounter::get__NewEnum(IUnknown** items)
{
    if (!items)
        return E_POINTER;
    *items = nullptr;
    std::vector<Variant> values;
    {
        ScopedLock hold(lock_);
        for (long v : history_)
            values.emplace_back(v);
    }
    ComPtr<IEnumVARIANT> e;
    HRESULT hr = CreateEnumVariant(values, e.Receive());
    if (FAILED(hr))
        return hr;
    *items = e.Detach();
    return S_OK;
}

InterfaceTable CInner::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<IInnerPart>(),
        Interface<IDispatch, IInnerPart>(),
    };
    return entries;
}

STDMETHODIMP CInner::InnerValue(long* value)
{
    if (!value)
        return E_POINTER;
    *value = 7;
    return S_OK;
}

InterfaceTable COuter::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<IOuterPart>(),
        Interface<IDispatch, IOuterPart>(),
        Aggregate<IInnerPart, &COuter::inner_>(),
    };
    return entries;
}

HRESULT COuter::FinalConstruct()
{
    ++census.final_constructs;
    return CreateAggregate<CInner>(inner_);
}

void COuter::FinalRelease()
{
    ++census.final_releases;
    inner_.Reset();
}

STDMETHODIMP COuter::OuterValue(long* value)
{
    if (!value)
        return E_POINTER;
    *value = 11;
    return S_OK;
}

InterfaceTable CPlain::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<IOuterPart>(),
    };
    return entries;
}

STDMETHODIMP CPlain::OuterValue(long* value)
{
    if (!value)
        return E_POINTER;
    *value = 1;
    return S_OK;
}

}  // namespace tvx::com::test
