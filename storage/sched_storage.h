// CQVSchedStorage (QvxStorg.QVSchedStorage): the scheduler's settings file
// and the loading of the tasks folder, for the engine's scheduler object.
// The work is CSettingsStore's and CTaskFolderLoader's; this class is their
// COM face, with the reason of a failure as error info.
#pragma once

#include "platform/com/com.h"
#include "qvxstorg.h"

class CQVSchedStorage : public tvx::com::ComClass<CQVSchedStorage>,
                        public tvx::com::DualInterface<IQVSchedStorage>,
                        public tvx::com::SupportErrorInfo<IQVSchedStorage> {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVSchedStorage>(),
            Interface<IDispatch, IQVSchedStorage>(),
            Interface<ISupportErrorInfo>(),
        };
        return entries;
    }

    // IQVSchedStorage
    STDMETHODIMP Read(IDispatch* pScheduler) override;
    STDMETHODIMP Write(IDispatch* pScheduler) override;
    STDMETHODIMP ReadAllTask(IDispatch* pScheduler) override;
};
