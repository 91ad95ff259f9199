#include "task_control_fake_scheduler.h"

STDMETHODIMP FakeScheduler::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IQVScheduler)) {
        *out = static_cast<IQVScheduler*>(this);
        AddRef();
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IQVTaskCollection) && tasks)
        return tasks.CopyTo(reinterpret_cast<IQVTaskCollection**>(out));
    return E_NOINTERFACE;
}

STDMETHODIMP FakeScheduler::EnableTask(BSTR name, LONG state)
{
    calls.push_back(L"EnableTask(" + std::wstring(name ? name : L"") + L"," + std::to_wstring(state) + L")");
    return result;
}

STDMETHODIMP FakeScheduler::ResetTrigger(BSTR name)
{
    calls.push_back(L"ResetTrigger(" + std::wstring(name ? name : L"") + L")");
    return result;
}
