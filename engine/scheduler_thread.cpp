#include "engine/scheduler_thread.h"

#include <objbase.h>

#include "platform/com/co_init.h"

namespace {

constexpr DWORD kTickMs = 1000;
// A tick that fires events into a client that does not answer can take a
// while; the thread is not left running behind its target's back.
constexpr DWORD kEndWaitMs = 30000;

}  // namespace

SchedulerThread::SchedulerThread(SchedulerTickTarget& target)
    : target_(target),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stopped_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

std::unique_ptr<SchedulerThread> SchedulerThread::Start(SchedulerTickTarget& target)
{
    std::unique_ptr<SchedulerThread> thread(new SchedulerThread(target));
    if (!thread->stop_ || !thread->stopped_)
        return nullptr;
    thread->thread_.Reset(CreateThread(nullptr, 0, &SchedulerThread::Run, thread.get(), 0, nullptr));
    if (!thread->thread_)
        return nullptr;
    return thread;
}

SchedulerThread::~SchedulerThread()
{
    if (!thread_)
        return;
    SetEvent(stop_.Get());
    WaitForSingleObject(thread_.Get(), kEndWaitMs);
}

bool SchedulerThread::Stop(int attempts, DWORD wait_ms)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        SetEvent(stop_.Get());
        if (WaitForSingleObject(stopped_.Get(), wait_ms) == WAIT_OBJECT_0)
            return true;
    }
    return false;
}

DWORD WINAPI SchedulerThread::Run(void* param)
{
    SchedulerThread& self = *static_cast<SchedulerThread*>(param);
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    self.target_.OnSchedulerThreadBegin();
    while (WaitForSingleObject(self.stop_.Get(), kTickMs) == WAIT_TIMEOUT)
        self.target_.OnSchedulerTick();
    SetEvent(self.stopped_.Get());
    return 0;
}
