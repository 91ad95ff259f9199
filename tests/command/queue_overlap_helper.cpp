// Helper of the two-process queue mutex test: runs queue runs under a fake
// account whose calls are slow, and counts in shared memory how many
// processes are inside a preparation or clean-up at the same time.
//
// queue_overlap_helper <mapping> <start event> <runs> shared|private
// "private" gives each process a mutex of its own instead of the component's
// named one, so that the test can show its counting detects overlap.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "command/macro_command.h"
#include "command/owned_handle.h"
#include "fake_account_api.h"
#include "queue_overlap.h"

int main(int argc, char** argv)
{
    if (argc != 5)
        return 10;
    OwnedKernelHandle mapping(::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, argv[1]));
    OwnedKernelHandle start(::OpenEventA(SYNCHRONIZE, FALSE, argv[2]));
    if (!mapping || !start)
        return 11;
    auto* counters = static_cast<QueueOverlapCounters*>(
        ::MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(QueueOverlapCounters)));
    if (counters == nullptr)
        return 12;
    const int runs = std::atoi(argv[3]);
    const bool private_mutex = std::strcmp(argv[4], "private") == 0;
    OwnedKernelHandle own_mutex(::CreateMutexA(nullptr, FALSE, nullptr));

    if (::WaitForSingleObject(start.get(), 30000) != WAIT_OBJECT_0)
        return 13;
    int result = 0;
    for (int run = 0; run < runs && result == 0; ++run) {
        FakeAccountApi accounts;
        // The first and the last account call made under the mutex, in the
        // preparation and in the clean-up alike.
        accounts.on_call = [counters](const std::string& call) {
            if (call == "LoadProfile" || call == "DestroyEnvironment") {
                const LONG now = ::InterlockedIncrement(&counters->inside);
                LONG most = counters->most_inside;
                while (now > most && ::InterlockedCompareExchange(&counters->most_inside, now, most) != most)
                    most = counters->most_inside;
                ::InterlockedIncrement(&counters->sections);
                ::Sleep(15);
            } else if (call == "WriteDacl station") {
                ::Sleep(15);
                ::InterlockedDecrement(&counters->inside);
            }
        };
        CMacroCommand command;
        command.UseAccountApi(accounts);
        if (private_mutex)
            command.UseQueueMutex(own_mutex.get());
        command.SetImpersonateInfo("bob", "secret", TRUE);
        command.AddToQue("// one line");
        if (!command.ExecuteQue())
            result = 20;
    }
    ::UnmapViewOfFile(counters);
    return result;
}
