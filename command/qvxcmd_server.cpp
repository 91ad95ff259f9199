// The QvxCmd in-process server: its classes, and the queue mutex that the
// component creates as it is loaded.
#include "command/command.h"
#include "command/command_collection.h"
#include "command/queue_mutex.h"
#include "platform/com/inproc_server.h"

namespace {

const tvx::com::ClassEntry kClasses[] = {
    {&CLSID_QVCommand, &tvx::com::ClassFactory<CQVCommand>::Create, L"QVCommand Class", L"QvxCmd.QVCommand.1",
     L"QvxCmd.QVCommand"},
    {&CLSID_QVCmdCollection, &tvx::com::ClassFactory<CQVCmdCollection>::Create, L"QVCmdCollection Class",
     L"QvxCmd.QVCmdCollection.1", L"QvxCmd.QVCmdCollection"},
};

const HANDLE kQueueMutexAtLoad = QueueMutex();

}  // namespace

tvx::com::ClassTable tvx::com::ServerClasses()
{
    return kClasses;
}
