// A stand-in for the engine's scheduler object in the task-control tests:
// it records the calls the commands make and answers for IQVTaskCollection
// with a task list of the test's choosing, as the engine's aggregated
// collection does. It lives on the test's stack: references do not free it.
#pragma once

#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "qvxtask.h"
#include "tarvex.h"

class FakeScheduler : public IQVScheduler {
public:
    // "EnableTask(<name>,<state>)" and "ResetTrigger(<name>)", in order.
    std::vector<std::wstring> calls;
    // The result of EnableTask and ResetTrigger.
    HRESULT result = S_OK;
    // Answered for IQVTaskCollection; none gives E_NOINTERFACE.
    tvx::com::ComPtr<IQVTaskCollection> tasks;
    ULONG references = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    STDMETHODIMP EnableTask(BSTR name, LONG state) override;
    STDMETHODIMP ResetTrigger(BSTR name) override;

    // Nothing else of the scheduler is used by the commands.
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Start() override { return E_NOTIMPL; }
    STDMETHODIMP Stop() override { return E_NOTIMPL; }
    STDMETHODIMP GetTime(DATE*) override { return E_NOTIMPL; }
    STDMETHODIMP get_ScheduleInterval(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ScheduleInterval(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP Initialize() override { return E_NOTIMPL; }
    STDMETHODIMP get_IsRunning(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP WriteToStorage() override { return E_NOTIMPL; }
    STDMETHODIMP ReadFromStorage() override { return E_NOTIMPL; }
    STDMETHODIMP get_StartupDelay(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_StartupDelay(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SendKeyDelay(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_SendKeyDelay(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SortOrder(short*) override { return E_NOTIMPL; }
    STDMETHODIMP put_SortOrder(short) override { return E_NOTIMPL; }
    STDMETHODIMP get_DisplayErrors(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_DisplayErrors(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_LogErrors(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_LogErrors(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_ErrorFileName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ErrorFileName(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP get_IsWorkDay(short, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_IsWorkDay(short, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_Holiday(short, DATE*) override { return E_NOTIMPL; }
    STDMETHODIMP DeleteHoliday(short) override { return E_NOTIMPL; }
    STDMETHODIMP UpdateHoliday(short, DATE) override { return E_NOTIMPL; }
    STDMETHODIMP AddHoliday(DATE) override { return E_NOTIMPL; }
    STDMETHODIMP GetHolidayCount(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_RunOnStartup(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_RunOnStartup(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP SortTaskList() override { return E_NOTIMPL; }
    STDMETHODIMP RunTask(short) override { return E_NOTIMPL; }
    STDMETHODIMP SetSuspendScheduler(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP AddTask(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP AddLogin(BSTR, BSTR, BSTR, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetLoginCount(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetLoginInfo(short, short, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP DelLoginInfo(short) override { return E_NOTIMPL; }
    STDMETHODIMP ClearLogins() override { return E_NOTIMPL; }
    STDMETHODIMP get_IsService(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_IsService(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP DelayedStart() override { return E_NOTIMPL; }
};
