// Saves one task file over and over, alternating between two records, until
// it is ended from outside: the interrupted-save test kills it at random
// moments and then looks at what the file holds.
//   save_loop_helper.exe <host folder> <ready event name>
#include <windows.h>

#include "storage/sched_item.h"
#include "storage/storage_folder.h"
#include "storage/storage_log.h"
#include "save_loop_records.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const CStorageFolder folder{CString(argv[1])};
    CSchedItem first;
    CSchedItem second;
    MakeSaveLoopRecord(first, 0);
    MakeSaveLoopRecord(second, 1);
    CStorageLog log(folder.HostDirectory() + "save_loop.log");
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const CString path = folder.TaskFilePath(kSaveLoopTaskName);
    for (unsigned round = 0;; ++round) {
        CSchedItem& item = (round % 2 == 0) ? second : first;
        if (!item.SaveToFile(path, log))
            return 1;
        if (round == 0 && ready != nullptr)
            SetEvent(ready);
    }
}
