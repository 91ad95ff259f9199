#include "sample_calc.h"

namespace tvx::com::sample {

InterfaceTable CSampleCalc::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<ISampleCalc>(),
        Interface<IDispatch, ISampleCalc>(),
        Interface<ISupportErrorInfo>(),
    };
    return entries;
}

STDMETHODIMP CSampleCalc::Add(long a, long b, long* sum)
{
    if (!sum)
        return E_POINTER;
    *sum = a + b;
    ScopedLock hold(lock_);
    sums_.push_back(*sum);
    return S_OK;
}

STDMETHODIMP CSampleCalc::get_Name(BSTR* name)
{
    ScopedLock hold(lock_);
    return name_.CopyTo(name);
}

STDMETHODIMP CSampleCalc::put_Name(BSTR name)
{
    ScopedLock hold(lock_);
    name_ = Bstr(name, SysStringLen(name));
    return S_OK;
}

STDMETHODIMP CSampleCalc::Fail(BSTR description)
{
    return ReportError(E_FAIL, __uuidof(ISampleCalc), description, L"TvxSample.Calc");
}

STDMETHODIMP CSampleCalc::get_Count(long* count)
{
    if (!count)
        return E_POINTER;
    ScopedLock hold(lock_);
    *count = static_cast<long>(sums_.size());
    return S_OK;
}

STDMETHODIMP CSampleCalc::get__NewEnum(IUnknown** sums)
{
    if (!sums)
        return E_POINTER;
    *sums = nullptr;
    std::vector<Variant> values;
    {
        ScopedLock hold(lock_);
        for (long sum : sums_)
            values.emplace_back(sum);
    }
    ComPtr<IEnumVARIANT> e;
    HRESULT hr = CreateEnumVariant(values, e.Receive());
    if (SUCCEEDED(hr))
        *sums = e.Detach();
    return hr;
}

}  // namespace tvx::com::sample
