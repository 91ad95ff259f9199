// A task whose task storage can't be had (QvxStorg.dll is kept from loading
// in this program, as on a computer where it is missing or broken): the task
// file calls fail with a reason and lose nothing of the task.
#include "qvxstorg.h"
#include "task_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using namespace tasktest;

TEST(TaskWithoutStorageTest, TaskFileCallsFailCleanly)
{
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    ComPtr<IQVTask> task = NewTask(L"Nightly");
    ASSERT_TRUE(task);
    AddCommands(task.Get(), {L"// one", L"// two"});
    Bstr log(L"run.log");
    task->put_LogFile(log.Get());

    ComPtr<IUnknown> storage;
    const HRESULT activation = storage.CreateInstance(CLSID_QVTaskStorage, CLSCTX_INPROC_SERVER);
    ASSERT_TRUE(FAILED(activation)) << "QvxStorg.dll must not load in this test";
    wchar_t code[16] = {};
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(activation));

    using Call = HRESULT (STDMETHODCALLTYPE IQVTask::*)(short);
    const Call calls[] = {&IQVTask::WriteToStorage, &IQVTask::ReadFromStorage, &IQVTask::DeleteFromStorage};
    for (Call call : calls) {
        EXPECT_EQ((task.Get()->*call)(0), E_FAIL);
        const std::wstring reason = TakeErrorDescription();
        EXPECT_NE(reason.find(L"QvxStorg.QVTaskStorage"), std::wstring::npos) << Narrow(reason);
        EXPECT_NE(reason.find(code), std::wstring::npos) << Narrow(reason);
        Bstr stored;
        task->get_LastErrorString(stored.Receive());
        EXPECT_EQ(stored.ToString(), reason);
    }
    // Nothing of the task was lost or changed.
    EXPECT_EQ(GetLongByName(task.Get(), L"Count"), 2);
    Bstr description;
    task->get_Description(description.Receive());
    EXPECT_EQ(description.ToString(), L"Nightly");
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 1);
}
