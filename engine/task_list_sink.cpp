#include "engine/task_list_sink.h"

#include "qvxtask.h"

namespace {

// _IQVTaskCollectionEvents
constexpr DISPID kErrorOccurred = 1;
constexpr DISPID kDataChanged = 2;

}  // namespace

tvx::com::InterfaceTable CTaskListEventSink::Interfaces()
{
    static const tvx::com::InterfaceEntry entries[] = {
        Interface<IDispatch>(),
        InterfaceId<IDispatch>(DIID__IQVTaskCollectionEvents),
    };
    return entries;
}

void CTaskListEventSink::Attach(TaskListObserver* observer)
{
    tvx::com::ScopedLock hold(lock_);
    observer_ = observer;
}

void CTaskListEventSink::Detach()
{
    tvx::com::ScopedLock hold(lock_);
    observer_ = nullptr;
}

STDMETHODIMP CTaskListEventSink::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CTaskListEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CTaskListEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CTaskListEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                        UINT*)
{
    if (result)
        VariantInit(result);
    if (id == kErrorOccurred)
        return S_OK;
    if (id != kDataChanged)
        return DISP_E_MEMBERNOTFOUND;
    TaskListObserver* observer = nullptr;
    {
        tvx::com::ScopedLock hold(lock_);
        observer = observer_;
    }
    if (observer)
        observer->OnTaskListDataChanged();
    return S_OK;
}
