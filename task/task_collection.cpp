#include "task/task_collection.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <string>
#include <utility>

#include "task/shared_snapshots.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::ScopedLock;

namespace {

enum SortOrders : short { kByDescription = 0, kByFrequency = 1, kByNextScheduled = 2, kByStatus = 3 };

// The sort order belongs to the component, not to one list: setting it on
// one collection changes the order every collection of the process uses
// from its next sort on.
std::atomic<short> g_sortOrder{kByDescription};

// Sorts tried in a row while the list keeps changing under them.
constexpr int kSortAttempts = 16;

struct SortKey {
    ComPtr<IQVTask> task;
    std::wstring text;
    bool isDate = false;
    DATE date = 0;
};

std::wstring TaskText(IQVTask* task, short order)
{
    Bstr text;
    switch (order) {
    case kByDescription:
        task->get_Description(text.Receive());
        break;
    case kByFrequency:
        task->GetFrequencyAsString(text.Receive());
        break;
    case kByNextScheduled:
        task->GetNextScheduledAsString(text.Receive());
        break;
    case kByStatus:
        task->GetStatusAsString(text.Receive());
        break;
    default:
        break;
    }
    return text.ToString();
}

SortKey MakeKey(const ComPtr<IQVTask>& task, short order)
{
    SortKey key;
    key.task = task;
    if (!task)
        return key;
    key.text = TaskText(task.Get(), order);
    if (order == kByNextScheduled && !key.text.empty()) {
        Bstr text(key.text);
        key.isDate = SUCCEEDED(VarDateFromStr(text.Get(), LOCALE_USER_DEFAULT, 0, &key.date));
    }
    return key;
}

// Whether a comes before b. Texts compare code unit by code unit, so an
// empty text comes first.
bool Before(const SortKey& a, const SortKey& b, short order)
{
    switch (order) {
    case kByNextScheduled:
        if (a.isDate && b.isDate)
            return a.date < b.date;
        return a.text < b.text;
    case kByDescription:
    case kByFrequency:
    case kByStatus:
        return a.text < b.text;
    default:
        return false;
    }
}

// Whether Before is a consistent order over these keys: texts alone, or
// under the next-run order dates alone or texts alone. Dates and texts mixed
// in one comparison need not be.
bool ConsistentOrder(const std::vector<SortKey>& keys, short order)
{
    if (order != kByNextScheduled || keys.empty())
        return true;
    for (const SortKey& key : keys) {
        if (key.isDate != keys.front().isDate)
            return false;
    }
    return true;
}

// Insertion sort: a library sort given an inconsistent order may step
// outside the range; this one never does.
void InsertionSort(std::vector<SortKey>& keys, short order)
{
    for (size_t i = 1; i < keys.size(); ++i) {
        SortKey moving = std::move(keys[i]);
        size_t j = i;
        while (j > 0 && Before(moving, keys[j - 1], order)) {
            keys[j] = std::move(keys[j - 1]);
            --j;
        }
        keys[j] = std::move(moving);
    }
}

// Stable merge sort, bottom up: the engine's list of thousands of tasks is
// sorted at its start, where an insertion sort's square of the count would
// cost seconds. Equal keys keep their order, as with the insertion sort, so
// both give the same list for a consistent order.
void MergeSort(std::vector<SortKey>& keys, short order)
{
    const size_t count = keys.size();
    std::vector<SortKey> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t left = 0; left < count; left += 2 * width) {
            const size_t middle = std::min(left + width, count);
            const size_t right = std::min(left + 2 * width, count);
            size_t a = left;
            size_t b = middle;
            size_t to = left;
            while (a < middle && b < right)
                merged[to++] = std::move(Before(keys[b], keys[a], order) ? keys[b++] : keys[a++]);
            while (a < middle)
                merged[to++] = std::move(keys[a++]);
            while (b < right)
                merged[to++] = std::move(keys[b++]);
        }
        keys.swap(merged);
    }
}

void SortKeys(std::vector<SortKey>& keys, short order)
{
    if (ConsistentOrder(keys, order))
        MergeSort(keys, order);
    else
        InsertionSort(keys, order);
}

std::wstring Lower(const std::wstring& text)
{
    std::wstring lower = text;
    if (!lower.empty())
        CharLowerBuffW(&lower[0], static_cast<DWORD>(lower.size()));
    return lower;
}

}  // namespace

STDMETHODIMP CQVTaskCollection::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                       VARIANT* result, EXCEPINFO* excep, UINT* arg_err)
{
    // Script enumerators (Wine's JScript among them) ask for _NewEnum with
    // the method flag alone, which the type library's property get does not
    // answer.
    const bool no_arguments = params == nullptr || params->cArgs == 0;
    if (id == DISPID_NEWENUM && (flags & DISPATCH_METHOD) != 0 && no_arguments && IsEqualIID(riid, IID_NULL)) {
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        const HRESULT hr = get__NewEnum(&V_UNKNOWN(result));
        if (SUCCEEDED(hr))
            V_VT(result) = VT_UNKNOWN;
        return hr;
    }
    return DualInterface<IQVTaskCollection>::Invoke(id, riid, lcid, flags, params, result, excep, arg_err);
}

STDMETHODIMP CQVTaskCollection::Item(LONG index, IQVTask** pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = nullptr;
    SortIfPending();
    ScopedLock hold(m_lock);
    if (index < 0 || static_cast<size_t>(index) >= m_tasks.size())
        return tvx::com::ReportError(E_INVALIDARG, IID_IQVTaskCollection, L"There is no task at this index.",
                                     L"QvxTask.QVTaskCollection");
    return m_tasks[static_cast<size_t>(index)].CopyTo(pVal);
}

STDMETHODIMP CQVTaskCollection::Add(IQVTask* pNewVal)
{
    if (pNewVal == nullptr)
        return E_POINTER;
    {
        ScopedLock hold(m_lock);
        m_tasks.emplace_back(pNewVal);
        ChangedLocked();
    }
    m_events.Fire(2);
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::get_Count(LONG* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *pVal = static_cast<LONG>(m_tasks.size());
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::Remove(LONG index)
{
    ComPtr<IQVTask> removed;
    // The index is one of the sorted list.
    SortIfPending();
    {
        ScopedLock hold(m_lock);
        if (index < 0 || static_cast<size_t>(index) >= m_tasks.size())
            return tvx::com::ReportError(E_INVALIDARG, IID_IQVTaskCollection, L"There is no task at this index.",
                                         L"QvxTask.QVTaskCollection");
        removed = std::move(m_tasks[static_cast<size_t>(index)]);
        m_tasks.erase(m_tasks.begin() + index);
        ChangedLocked();
        if (m_cursor > static_cast<size_t>(index))
            --m_cursor;
    }
    // The task's reference goes outside the lock: its end may call out.
    removed.Reset();
    m_events.Fire(2);
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::get__NewEnum(IUnknown** pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    SortIfPending();
    {
        ScopedLock hold(m_lock);
        m_cursor = 0;
    }
    // The enumerator interface itself: inside an aggregate, asking it for
    // IEnumVARIANT goes to the outer object.
    IEnumVARIANT* enumerator = this;
    enumerator->AddRef();
    *pVal = enumerator;
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::FindTaskIndex(BSTR name, short* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = -1;
    SortIfPending();
    TaskList tasks;
    {
        ScopedLock hold(m_lock);
        tasks = m_tasks;
    }
    const std::wstring wanted = Lower(std::wstring(name != nullptr ? name : L"", SysStringLen(name)));
    for (size_t index = 0; index < tasks.size(); ++index) {
        if (!tasks[index])
            continue;
        Bstr description;
        if (FAILED(tasks[index]->get_Description(description.Receive())))
            continue;
        // Several tasks of one name: the last one counts.
        if (Lower(description.ToString()) == wanted)
            *pVal = static_cast<short>(index);
    }
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::DataChanged()
{
    m_events.Fire(2);
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::Sort(short nSortOrder)
{
    g_sortOrder.store(nSortOrder);
    {
        ScopedLock hold(m_lock);
        ChangedLocked();
    }
    SortIfPending();
    return S_OK;
}

void CQVTaskCollection::ChangedLocked()
{
    ++m_generation;
    m_sortPending = true;
    m_pendingOrder = g_sortOrder.load();
}

void CQVTaskCollection::SortIfPending()
{
    // A change that lands while the keys are taken leaves the sort pending;
    // sorting again then keeps an index read now valid until the next change,
    // instead of moving under a caller who changed nothing.
    for (int attempt = 0; attempt < kSortAttempts; ++attempt) {
        short order = 0;
        {
            ScopedLock hold(m_lock);
            if (!m_sortPending)
                return;
            order = m_pendingOrder;
        }
        SortList(order);
    }
}

void CQVTaskCollection::SortList(short order)
{
    TaskList tasks;
    unsigned long generation = 0;
    {
        ScopedLock hold(m_lock);
        tasks = m_tasks;
        generation = m_generation;
    }
    std::vector<SortKey> keys;
    keys.reserve(tasks.size());
    for (const ComPtr<IQVTask>& task : tasks)
        keys.push_back(MakeKey(task, order));
    SortKeys(keys, order);

    TaskList sorted;
    sorted.reserve(keys.size());
    for (SortKey& key : keys)
        sorted.push_back(std::move(key.task));
    ScopedLock hold(m_lock);
    if (generation == m_generation) {
        m_tasks.swap(sorted);
        m_sortPending = false;
    }
    // The old order's references (sorted) are released after the lock is
    // left: hold is destroyed first.
}

STDMETHODIMP CQVTaskCollection::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched)
{
    if (pCeltFetched != nullptr)
        *pCeltFetched = 0;
    // One entry per call.
    if (celt >= 2)
        return E_INVALIDARG;
    if (rgVar == nullptr)
        return E_POINTER;
    VariantInit(rgVar);
    SortIfPending();
    ComPtr<IQVTask> task;
    {
        ScopedLock hold(m_lock);
        if (m_cursor >= m_tasks.size())
            return S_FALSE;
        task = m_tasks[m_cursor];
        ++m_cursor;
    }
    IDispatch* dispatch = nullptr;
    if (task)
        task->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    V_VT(rgVar) = VT_DISPATCH;
    V_DISPATCH(rgVar) = dispatch;
    if (pCeltFetched != nullptr)
        *pCeltFetched = 1;
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::Skip(ULONG)
{
    // One entry whatever the count.
    ScopedLock hold(m_lock);
    if (m_cursor >= m_tasks.size())
        return S_FALSE;
    ++m_cursor;
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::Reset()
{
    ScopedLock hold(m_lock);
    m_cursor = 0;
    return S_OK;
}

STDMETHODIMP CQVTaskCollection::Clone(IEnumVARIANT** ppEnum)
{
    if (ppEnum != nullptr)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

void CQVTaskCollection::BeginSharedSnapshots()
{
    ::BeginSharedSnapshots();
}

void CQVTaskCollection::EndSharedSnapshots()
{
    ::EndSharedSnapshots();
}
