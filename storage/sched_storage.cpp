#include "storage/sched_storage.h"

#include "storage/com_boundary.h"
#include "storage/settings_store.h"
#include "storage/storage_folder.h"
#include "storage/storage_texts.h"
#include "storage/task_folder_loader.h"

namespace {

const wchar_t kProgId[] = L"QvxStorg.QVSchedStorage";

}  // namespace

STDMETHODIMP CQVSchedStorage::Read(IDispatch* pScheduler)
{
    return GuardedCall([&]() -> HRESULT {
        CSettingsStore store{CStorageFolder()};
        const HRESULT hr = store.Read(pScheduler);
        return ReportStorageResult(hr, IID_IQVSchedStorage, store.ErrorText(), kProgId);
    });
}

STDMETHODIMP CQVSchedStorage::Write(IDispatch* pScheduler)
{
    return GuardedCall([&]() -> HRESULT {
        CSettingsStore store{CStorageFolder()};
        const HRESULT hr = store.Write(pScheduler);
        return ReportStorageResult(hr, IID_IQVSchedStorage, store.ErrorText(), kProgId);
    });
}

STDMETHODIMP CQVSchedStorage::ReadAllTask(IDispatch* pScheduler)
{
    return GuardedCall([&]() -> HRESULT {
        CTaskFolderLoader loader{CStorageFolder()};
        const HRESULT hr = loader.LoadAll(pScheduler);
        if (hr == E_INVALIDARG)
            return ReportStorageResult(hr, IID_IQVSchedStorage, storage_text::kNullObject, kProgId);
        return ReportStorageResult(hr, IID_IQVSchedStorage, storage_text::kNotAScheduler, kProgId);
    });
}
