// The QvxTask in-process server: the classes it serves. Each class gets one
// row; regsvr32 registers every row with the type library embedded in the
// DLL.
#include "platform/com/inproc_server.h"
#include "task/cond_trigger.h"
#include "task/sched_trigger_object.h"
#include "task/task.h"
#include "task/task_collection.h"

namespace {

const tvx::com::ClassEntry kClasses[] = {
    {&CLSID_QVSchedTrigger, &tvx::com::ClassFactory<CQVSchedTrigger>::Create, L"QVSchedTrigger Class",
     L"QvxTask.QVSchedTrigger.1", L"QvxTask.QVSchedTrigger"},
    {&CLSID_QVCondTrigger, &tvx::com::ClassFactory<CQVCondTrigger>::Create, L"QVCondTrigger Class",
     L"QvxTask.QVCondTrigger.1", L"QvxTask.QVCondTrigger"},
    {&CLSID_QVTask, &tvx::com::ClassFactory<CQVTask>::Create, L"QVTask Class", L"QvxTask.QVTask.1",
     L"QvxTask.QVTask"},
    {&CLSID_QVTaskCollection, &tvx::com::ClassFactory<CQVTaskCollection>::Create, L"QVTaskCollection Class",
     L"QvxTask.QVTaskCollection.1", L"QvxTask.QVTaskCollection"},
};

}  // namespace

tvx::com::ClassTable tvx::com::ServerClasses()
{
    return kClasses;
}
