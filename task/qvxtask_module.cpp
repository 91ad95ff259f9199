// The QvxTask in-process server: the classes it serves. Each class gets one
// row; regsvr32 registers every row with the type library embedded in the
// DLL.
#include "platform/com/inproc_server.h"
#include "task/cond_trigger.h"
#include "task/sched_trigger_object.h"

namespace {

const tvx::com::ClassEntry kClasses[] = {
    {&CLSID_QVSchedTrigger, &tvx::com::ClassFactory<CQVSchedTrigger>::Create, L"QVSchedTrigger Class",
     L"QvxTask.QVSchedTrigger.1", L"QvxTask.QVSchedTrigger"},
    {&CLSID_QVCondTrigger, &tvx::com::ClassFactory<CQVCondTrigger>::Create, L"QVCondTrigger Class",
     L"QvxTask.QVCondTrigger.1", L"QvxTask.QVCondTrigger"},
};

}  // namespace

tvx::com::ClassTable tvx::com::ServerClasses()
{
    return kClasses;
}
