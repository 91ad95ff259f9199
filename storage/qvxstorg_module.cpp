// The QvxStorg in-process server: the classes it serves. Each class gets one
// row; regsvr32 registers every row with the type library embedded in the
// DLL.
#include "platform/com/inproc_server.h"
#include "storage/sched_storage.h"
#include "storage/task_storage.h"

namespace {

const tvx::com::ClassEntry kClasses[] = {
    {&CLSID_QVSchedStorage, &tvx::com::ClassFactory<CQVSchedStorage>::Create, L"QVSchedStorage Class",
     L"QvxStorg.QVSchedStorage.1", L"QvxStorg.QVSchedStorage"},
    {&CLSID_QVTaskStorage, &tvx::com::ClassFactory<CQVTaskStorage>::Create, L"QVTaskStorage Class",
     L"QvxStorg.QVTaskStorage.1", L"QvxStorg.QVTaskStorage"},
};

}  // namespace

tvx::com::ClassTable tvx::com::ServerClasses()
{
    return kClasses;
}
