// CTaskParts: a task object as the storage sees it: the task itself and
// the parts the same object answers for (its schedule trigger, condition
// trigger and command collection), with the property-by-property copy to
// and from a CSchedItem.
#pragma once

#include <oaidl.h>

#include "platform/com/com_ptr.h"
#include "platform/framework/string.h"
#include "qvxcmd.h"
#include "qvxtask.h"

class CSchedItem;

class CTaskParts {
public:
    // E_INVALIDARG for a null object, E_FAIL when it does not give IQVTask.
    // A part the object does not give is skipped by the copies.
    HRESULT Attach(IDispatch* object);

    IQVTask* Task() const { return m_Task.Get(); }
    IQVCondTrigger* Condition() const { return m_Condition.Get(); }
    IQVCmdCollection* Commands() const { return m_Commands.Get(); }

    CString GetDescription() const;
    CString GetOldDescription() const;
    void ForgetOldDescription() const;

    // Every property of the task, its schedule, its condition and the full
    // text of each command into the record. A property the object can't
    // give keeps the record's value; every date is stored as valid.
    void CopyTo(CSchedItem& item) const;
    // The record's values into the task and its parts; the command lines
    // are appended to the collection as new QVCommand objects (a line whose
    // object can't be made is skipped).
    void CopyFrom(const CSchedItem& item) const;

private:
    void CopyTaskTo(CSchedItem& item) const;
    void CopyScheduleTo(CSchedItem& item) const;
    void CopyConditionTo(CSchedItem& item) const;
    void CopyCommandsTo(CSchedItem& item) const;
    void CopyTaskFrom(const CSchedItem& item) const;
    void CopyScheduleFrom(const CSchedItem& item) const;
    void CopyConditionFrom(const CSchedItem& item) const;
    void CopyCommandsFrom(const CSchedItem& item) const;

    tvx::com::ComPtr<IQVTask> m_Task;
    tvx::com::ComPtr<IQVSchedTrigger> m_Schedule;
    tvx::com::ComPtr<IQVCondTrigger> m_Condition;
    tvx::com::ComPtr<IQVCmdCollection> m_Commands;
};
