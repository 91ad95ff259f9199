// CQVTaskCollection (QvxTask.QVTaskCollection): the engine's list of tasks,
// kept in the chosen sort order, found by description and announcing every
// change with DataChanged. The object is its own enumerator (_NewEnum), with
// one cursor for everyone who enumerates it.
//
// The engine's threads and its clients use one list at once: the list is
// guarded by m_lock, which is never held across a call into a task (sorting
// and look-up read the tasks' texts from a copy of the list) nor while the
// event is fired.
#pragma once

#include <oaidl.h>

#include <vector>

#include "interfaces/shared_snapshots.h"
#include "platform/com/com.h"
#include "qvxtask.h"

class CQVTaskCollection : public tvx::com::ComClass<CQVTaskCollection>,
                          public tvx::com::DualInterface<IQVTaskCollection>,
                          public IEnumVARIANT,
                          public tvx::com::SupportErrorInfo<IQVTaskCollection>,
                          public tvx::com::ConnectionPointContainer,
                          public IQVSharedSnapshots {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVTaskCollection>(),
            Interface<IDispatch, IQVTaskCollection>(),
            Interface<IEnumVARIANT>(),
            Interface<ISupportErrorInfo>(),
            Interface<IConnectionPointContainer>(),
            Interface<IQVSharedSnapshots>(),
        };
        return entries;
    }
    // The engine's scheduler object aggregates the collection. It then has
    // to answer IEnumVARIANT through itself as well, and finds the
    // collection's events through the inner object's connection points.
    static constexpr bool kAggregatable = true;

    // IDispatch: the type library's, plus the enumeration asked for as a
    // method.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* arg_err) override;

    // IQVTaskCollection
    STDMETHODIMP Item(LONG index, IQVTask** pVal) override;
    STDMETHODIMP Add(IQVTask* pNewVal) override;
    STDMETHODIMP get_Count(LONG* pVal) override;
    STDMETHODIMP Remove(LONG index) override;
    STDMETHODIMP get__NewEnum(IUnknown** pVal) override;
    STDMETHODIMP FindTaskIndex(BSTR name, short* pVal) override;
    STDMETHODIMP DataChanged() override;
    STDMETHODIMP Sort(short nSortOrder) override;

    // IEnumVARIANT
    STDMETHODIMP Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    STDMETHODIMP Skip(ULONG celt) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** ppEnum) override;

    // IQVSharedSnapshots: the engine's pass opens a scope around its tasks'
    // condition tests.
    void STDMETHODCALLTYPE BeginSharedSnapshots() override;
    void STDMETHODCALLTYPE EndSharedSnapshots() override;

private:
    using TaskList = std::vector<tvx::com::ComPtr<IQVTask>>;

    // Add, Remove and Sort leave the list to be sorted, by the sort order
    // of that moment, before anyone next looks at it by index or name: a
    // list filled with thousands of tasks at the engine's start is sorted
    // once instead of once per task, each sort reading every task's text.
    void SortIfPending();
    // Sorts by the order given. The tasks' texts are read from a copy of
    // the list; the order is applied only when the list is still the one it
    // was computed for (a later change leaves its own sort pending).
    void SortList(short order);
    // Records a change of the list (under m_lock).
    void ChangedLocked();

    tvx::com::CriticalSection m_lock;
    TaskList m_tasks;
    // Bumped by every Add, Remove and Sort.
    unsigned long m_generation = 0;
    bool m_sortPending = false;
    short m_pendingOrder = 0;
    size_t m_cursor = 0;
    tvx::com::ConnectionPoint m_events{*this, DIID__IQVTaskCollectionEvents};
};
