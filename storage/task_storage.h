// CQVTaskStorage (QvxStorg.QVTaskStorage): a task's file, for the task
// object's WriteToStorage, ReadFromStorage and DeleteFromStorage. The work
// is CTaskStore's; this class is its COM face, with the reason of a failure
// as error info.
#pragma once

#include "platform/com/com.h"
#include "qvxstorg.h"

class CTaskStore;

class CQVTaskStorage : public tvx::com::ComClass<CQVTaskStorage>,
                       public tvx::com::DualInterface<IQVTaskStorage>,
                       public tvx::com::SupportErrorInfo<IQVTaskStorage> {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVTaskStorage>(),
            Interface<IDispatch, IQVTaskStorage>(),
            Interface<ISupportErrorInfo>(),
        };
        return entries;
    }

    // IQVTaskStorage
    STDMETHODIMP Read(IDispatch* pTask, short nType) override;
    STDMETHODIMP Write(IDispatch* pTask, short nType) override;
    STDMETHODIMP Delete(IDispatch* pTask, short nType) override;

private:
    // Runs one call on a store of its own, in the host directory.
    template <class Call>
    HRESULT Run(Call&& call);
};
