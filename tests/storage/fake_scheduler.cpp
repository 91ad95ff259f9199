#include "fake_scheduler.h"

#include "platform/com/bstr.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

std::vector<std::wstring> FakeTaskCollection::Descriptions() const
{
    std::vector<std::wstring> names;
    for (const ComPtr<IQVTask>& task : tasks) {
        Bstr name;
        task->get_Description(name.Receive());
        names.push_back(name.ToString());
    }
    return names;
}

STDMETHODIMP FakeTaskCollection::QueryInterface(REFIID iid, void** out) { return owner_->QueryInterface(iid, out); }
STDMETHODIMP_(ULONG) FakeTaskCollection::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) FakeTaskCollection::Release() { return owner_->Release(); }

STDMETHODIMP FakeTaskCollection::Item(LONG index, IQVTask** pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    if (index < 0 || static_cast<size_t>(index) >= tasks.size())
        return E_INVALIDARG;
    return tasks[static_cast<size_t>(index)].CopyTo(pVal);
}

STDMETHODIMP FakeTaskCollection::Add(IQVTask* pNewVal)
{
    tasks.emplace_back(pNewVal);
    return S_OK;
}

STDMETHODIMP FakeTaskCollection::get_Count(LONG* pVal)
{
    *pVal = static_cast<LONG>(tasks.size());
    return S_OK;
}

STDMETHODIMP FakeTaskCollection::Remove(LONG index)
{
    if (index < 0 || static_cast<size_t>(index) >= tasks.size())
        return E_INVALIDARG;
    tasks.erase(tasks.begin() + index);
    return S_OK;
}

STDMETHODIMP FakeTaskCollection::FindTaskIndex(BSTR name, short* pVal)
{
    *pVal = -1;
    const std::vector<std::wstring> names = Descriptions();
    for (size_t i = 0; i < names.size(); ++i) {
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, names[i].c_str(), -1, TextOf(name).c_str(), -1) ==
            CSTR_EQUAL) {
            *pVal = static_cast<short>(i);
            break;
        }
    }
    return S_OK;
}

ComPtr<FakeScheduler> FakeScheduler::Create()
{
    ComPtr<FakeScheduler> scheduler;
    scheduler.Attach(new FakeScheduler());
    return scheduler;
}

STDMETHODIMP FakeScheduler::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IQVScheduler))
        *out = static_cast<IQVScheduler*>(this);
    else if (IsEqualIID(iid, IID_IQVTaskCollection) && givesCollection)
        *out = static_cast<IQVTaskCollection*>(&collection);
    if (*out == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FakeScheduler::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) FakeScheduler::Release()
{
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP FakeScheduler::get_IsWorkDay(short day, LONG* pVal)
{
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    return values.Get("IsWorkDay" + std::to_string(day), pVal);
}

STDMETHODIMP FakeScheduler::put_IsWorkDay(short day, LONG newVal)
{
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    return values.Put("IsWorkDay" + std::to_string(day), newVal);
}

STDMETHODIMP FakeScheduler::get_Holiday(short index, DATE* pVal)
{
    if (index < 0 || static_cast<size_t>(index) >= holidays.size())
        return E_INVALIDARG;
    *pVal = holidays[static_cast<size_t>(index)];
    return S_OK;
}

STDMETHODIMP FakeScheduler::DeleteHoliday(short index)
{
    if (index < 0 || static_cast<size_t>(index) >= holidays.size())
        return E_INVALIDARG;
    holidays.erase(holidays.begin() + index);
    return S_OK;
}

STDMETHODIMP FakeScheduler::UpdateHoliday(short index, DATE newVal)
{
    if (index < 0 || static_cast<size_t>(index) >= holidays.size())
        return E_INVALIDARG;
    holidays[static_cast<size_t>(index)] = newVal;
    return S_OK;
}

STDMETHODIMP FakeScheduler::AddHoliday(DATE date)
{
    holidays.push_back(date);
    return S_OK;
}

STDMETHODIMP FakeScheduler::GetHolidayCount(LONG* pVal)
{
    *pVal = static_cast<LONG>(holidays.size());
    return S_OK;
}

STDMETHODIMP FakeScheduler::AddLogin(BSTR description, BSTR domain, BSTR loginName, BSTR password)
{
    logins.push_back(Login{TextOf(description), TextOf(domain), TextOf(loginName), TextOf(password)});
    return S_OK;
}

STDMETHODIMP FakeScheduler::GetLoginCount(LONG* pVal)
{
    *pVal = static_cast<LONG>(logins.size());
    return S_OK;
}

STDMETHODIMP FakeScheduler::GetLoginInfo(short index, short field, BSTR* pVal)
{
    if (index < 0 || static_cast<size_t>(index) >= logins.size())
        return E_INVALIDARG;
    const std::wstring text = (field >= 1 && field <= 4) ? logins[static_cast<size_t>(index)][field - 1] : L"";
    *pVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

STDMETHODIMP FakeScheduler::DelLoginInfo(short index)
{
    if (index >= 0 && static_cast<size_t>(index) < logins.size())
        logins.erase(logins.begin() + index);
    return S_OK;
}

STDMETHODIMP FakeScheduler::ClearLogins()
{
    logins.clear();
    return S_OK;
}
