// FakeScheduler: a test double of the engine's scheduler object
// (Tarvex.QVScheduler) for the storage tests: settings kept as written,
// holidays and logins in plain lists, and a task collection that answers
// for IQVTaskCollection through the scheduler, as the engine's aggregated
// collection does.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "property_bag.h"
#include "qvxtask.h"
#include "tarvex.h"

class FakeScheduler;

class FakeTaskCollection : public IQVTaskCollection {
public:
    explicit FakeTaskCollection(FakeScheduler* owner) : owner_(owner) {}

    std::vector<tvx::com::ComPtr<IQVTask>> tasks;
    // The descriptions of the tasks, in order.
    std::vector<std::wstring> Descriptions() const;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    FAKE_NO_DISPATCH
    STDMETHODIMP Item(LONG index, IQVTask** pVal) override;
    STDMETHODIMP Add(IQVTask* pNewVal) override;
    STDMETHODIMP get_Count(LONG* pVal) override;
    STDMETHODIMP Remove(LONG index) override;
    STDMETHODIMP get__NewEnum(IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP FindTaskIndex(BSTR name, short* pVal) override;
    STDMETHODIMP DataChanged() override { return S_OK; }
    STDMETHODIMP Sort(short) override { return S_OK; }

private:
    FakeScheduler* owner_;
};

class FakeScheduler : public IQVScheduler {
public:
    using Login = std::array<std::wstring, 4>;  // description, domain, login name, password

    static tvx::com::ComPtr<FakeScheduler> Create();

    PropertyBag values;
    std::vector<DATE> holidays;
    std::vector<Login> logins;
    FakeTaskCollection collection{this};
    bool givesCollection = true;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    FAKE_NO_DISPATCH

    STDMETHODIMP Start() override { return S_OK; }
    STDMETHODIMP Stop() override { return S_OK; }
    STDMETHODIMP GetTime(DATE* pVal) override { return values.Get("Time", pVal); }
    FAKE_PROPERTY(LONG, ScheduleInterval, "ScheduleInterval")
    STDMETHODIMP Initialize() override { return S_OK; }
    STDMETHODIMP get_IsRunning(LONG* pVal) override { return values.Get("IsRunning", pVal); }
    STDMETHODIMP WriteToStorage() override { return E_NOTIMPL; }
    STDMETHODIMP ReadFromStorage() override { return E_NOTIMPL; }
    FAKE_PROPERTY(LONG, StartupDelay, "StartupDelay")
    FAKE_PROPERTY(LONG, SendKeyDelay, "SendKeyDelay")
    FAKE_PROPERTY(short, SortOrder, "SortOrder")
    FAKE_PROPERTY(LONG, DisplayErrors, "DisplayErrors")
    FAKE_PROPERTY(LONG, LogErrors, "LogErrors")
    FAKE_TEXT_PROPERTY(ErrorFileName, "ErrorFileName")
    STDMETHODIMP get_IsWorkDay(short day, LONG* pVal) override;
    STDMETHODIMP put_IsWorkDay(short day, LONG newVal) override;
    STDMETHODIMP get_Holiday(short index, DATE* pVal) override;
    STDMETHODIMP DeleteHoliday(short index) override;
    STDMETHODIMP UpdateHoliday(short index, DATE newVal) override;
    STDMETHODIMP AddHoliday(DATE date) override;
    STDMETHODIMP GetHolidayCount(LONG* pVal) override;
    FAKE_PROPERTY(LONG, RunOnStartup, "RunOnStartup")
    STDMETHODIMP SortTaskList() override { return S_OK; }
    STDMETHODIMP RunTask(short) override { return S_OK; }
    STDMETHODIMP SetSuspendScheduler(LONG) override { return S_OK; }
    STDMETHODIMP AddTask(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP AddLogin(BSTR description, BSTR domain, BSTR loginName, BSTR password) override;
    STDMETHODIMP GetLoginCount(LONG* pVal) override;
    STDMETHODIMP GetLoginInfo(short index, short field, BSTR* pVal) override;
    STDMETHODIMP DelLoginInfo(short index) override;
    STDMETHODIMP ClearLogins() override;
    STDMETHODIMP EnableTask(BSTR, LONG) override { return S_OK; }
    FAKE_PROPERTY(LONG, IsService, "IsService")
    STDMETHODIMP DelayedStart() override { return S_OK; }
    STDMETHODIMP ResetTrigger(BSTR) override { return S_OK; }

private:
    FakeScheduler() = default;
    virtual ~FakeScheduler() = default;

    LONG refs_ = 1;
};
