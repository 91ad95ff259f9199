#include "storage/settings_store.h"

#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"
#include "storage/sched_options.h"
#include "storage/storage_log.h"
#include "storage/storage_texts.h"
#include "tarvex.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

// Holidays and logins are reached by 16-bit indexes.
constexpr long kMostIndexed = 0x7FFF;

enum LoginField : short {
    kLoginDescription = 1,
    kLoginDomain = 2,
    kLoginName = 3,
    kLoginPassword = 4,
};

CString ErrorLogOf(IQVScheduler* scheduler)
{
    Bstr name;
    if (FAILED(scheduler->get_ErrorFileName(name.Receive())))
        return CString();
    return CString(name.c_str());
}

void PutText(IQVScheduler* scheduler, const CString& value)
{
    Bstr text;
    text.Attach(value.AllocSysString());
    scheduler->put_ErrorFileName(text.Get());
}

CString LoginText(IQVScheduler* scheduler, short index, LoginField field)
{
    Bstr text;
    if (FAILED(scheduler->GetLoginInfo(index, field, text.Receive())))
        return CString();
    return CString(text.c_str());
}

long CountOf(HRESULT hr, long count)
{
    if (FAILED(hr) || count < 0)
        return 0;
    return count < kMostIndexed ? count : kMostIndexed;
}

// Removes the scheduler's holidays from the last one down; stops when the
// scheduler refuses, so that a scheduler that never shrinks can't hold the
// call for ever.
void ClearSchedulerHolidays(IQVScheduler* scheduler)
{
    long count = 0;
    if (FAILED(scheduler->GetHolidayCount(&count)))
        return;
    for (long remaining = CountOf(S_OK, count); remaining > 0; --remaining) {
        if (FAILED(scheduler->DeleteHoliday(static_cast<short>(remaining - 1))))
            return;
    }
}

}  // namespace

CSettingsStore::CSettingsStore(const CStorageFolder& folder) : m_Folder(folder)
{
}

HRESULT CSettingsStore::Fail(HRESULT hr, const CString& text)
{
    m_ErrorText = text;
    return hr;
}

HRESULT CSettingsStore::Read(IDispatch* object)
{
    m_ErrorText.Empty();
    if (object == nullptr)
        return Fail(E_INVALIDARG, storage_text::kNullObject);
    ComPtr<IQVScheduler> scheduler;
    const HRESULT queried = scheduler.QueryFrom(object);
    if (FAILED(queried))
        return Fail(queried, storage_text::kNotAScheduler);

    CSchedOptions options;
    CStorageLog log(ErrorLogOf(scheduler.Get()));
    if (options.LoadFromFile(m_Folder, log) == CSchedOptions::Load::refused)
        return Fail(E_FAIL, log.LastText());

    scheduler->put_RunOnStartup(options.m_RunOnStartup);
    scheduler->put_ScheduleInterval(options.m_ScheduleInterval);
    scheduler->put_StartupDelay(options.m_StartupDelay);
    scheduler->put_SendKeyDelay(options.m_SendKeyDelay);
    scheduler->put_SortOrder(static_cast<short>(options.m_SortOrder));
    scheduler->put_DisplayErrors(options.m_DisplayErrors);
    scheduler->put_LogErrors(options.m_LogErrors);
    PutText(scheduler.Get(), options.m_ErrorFileName);
    for (short day = 0; day < 7; ++day)
        scheduler->put_IsWorkDay(day, options.m_WorkDays[day]);

    ClearSchedulerHolidays(scheduler.Get());
    for (int index = 0; index < options.GetHolidayCount(); ++index)
        scheduler->AddHoliday(options.GetHoliday(index).m_dt);

    scheduler->ClearLogins();
    for (int index = 0; index < options.GetLoginCount(); ++index) {
        const CNetworkLoginInfo& login = options.GetLogin(index);
        Bstr description;
        Bstr domain;
        Bstr loginName;
        Bstr password;
        description.Attach(login.GetDescription().AllocSysString());
        domain.Attach(login.GetDomain().AllocSysString());
        loginName.Attach(login.GetLoginName().AllocSysString());
        password.Attach(login.GetPassword().AllocSysString());
        scheduler->AddLogin(description.Get(), domain.Get(), loginName.Get(), password.Get());
    }
    return S_OK;
}

HRESULT CSettingsStore::Write(IDispatch* object)
{
    m_ErrorText.Empty();
    if (object == nullptr)
        return Fail(E_INVALIDARG, storage_text::kNullObject);
    ComPtr<IQVScheduler> scheduler;
    if (FAILED(scheduler.QueryFrom(object)))
        return Fail(E_FAIL, storage_text::kNotAScheduler);

    CSchedOptions options;
    long value = 0;
    if (SUCCEEDED(scheduler->get_RunOnStartup(&value)))
        options.m_RunOnStartup = value;
    if (SUCCEEDED(scheduler->get_ScheduleInterval(&value)))
        options.m_ScheduleInterval = value;
    if (SUCCEEDED(scheduler->get_StartupDelay(&value)))
        options.m_StartupDelay = value;
    if (SUCCEEDED(scheduler->get_SendKeyDelay(&value)))
        options.m_SendKeyDelay = value;
    short sortOrder = 0;
    if (SUCCEEDED(scheduler->get_SortOrder(&sortOrder)))
        options.m_SortOrder = sortOrder;
    if (SUCCEEDED(scheduler->get_DisplayErrors(&value)))
        options.m_DisplayErrors = value;
    if (SUCCEEDED(scheduler->get_LogErrors(&value)))
        options.m_LogErrors = value;
    Bstr errorFile;
    if (SUCCEEDED(scheduler->get_ErrorFileName(errorFile.Receive())))
        options.m_ErrorFileName = CString(errorFile.c_str());
    for (short day = 0; day < 7; ++day) {
        if (SUCCEEDED(scheduler->get_IsWorkDay(day, &value)))
            options.m_WorkDays[day] = value;
    }

    options.ClearHolidays();
    long count = 0;
    HRESULT counted = scheduler->GetHolidayCount(&count);
    const long holidays = CountOf(counted, count);
    for (long index = 0; index < holidays; ++index) {
        DATE holiday = 0;
        if (SUCCEEDED(scheduler->get_Holiday(static_cast<short>(index), &holiday)))
            options.AddHoliday(holiday);
    }

    options.ClearLogins();
    count = 0;
    counted = scheduler->GetLoginCount(&count);
    const long logins = CountOf(counted, count);
    for (long index = 0; index < logins; ++index) {
        const short at = static_cast<short>(index);
        options.AddLogin(LoginText(scheduler.Get(), at, kLoginDescription), LoginText(scheduler.Get(), at, kLoginDomain),
                         LoginText(scheduler.Get(), at, kLoginName), LoginText(scheduler.Get(), at, kLoginPassword));
    }

    CStorageLog log(options.m_ErrorFileName);
    if (!options.SaveToFile(m_Folder, log))
        return Fail(E_FAIL, log.LastText());
    return S_OK;
}
