#include "storage/task_storage.h"

#include "storage/com_boundary.h"
#include "storage/storage_folder.h"
#include "storage/task_store.h"

namespace {

const wchar_t kProgId[] = L"QvxStorg.QVTaskStorage";

}  // namespace

template <class Call>
HRESULT CQVTaskStorage::Run(Call&& call)
{
    return GuardedCall([&]() -> HRESULT {
        CTaskStore store{CStorageFolder()};
        const HRESULT hr = call(store);
        return ReportStorageResult(hr, IID_IQVTaskStorage, store.ErrorText(), kProgId);
    });
}

STDMETHODIMP CQVTaskStorage::Read(IDispatch* pTask, short nType)
{
    return Run([&](CTaskStore& store) { return store.Read(pTask, nType); });
}

STDMETHODIMP CQVTaskStorage::Write(IDispatch* pTask, short nType)
{
    return Run([&](CTaskStore& store) { return store.Write(pTask, nType); });
}

STDMETHODIMP CQVTaskStorage::Delete(IDispatch* pTask, short nType)
{
    return Run([&](CTaskStore& store) { return store.Delete(pTask, nType); });
}
