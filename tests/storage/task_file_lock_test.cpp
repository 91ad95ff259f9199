// The task-folder lock: one program (and one thread) at a time, and a lock
// the thread already holds taken again without waiting and without letting
// the mutex go early.
#include <windows.h>

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "storage/task_file_lock.h"

namespace {

struct Attempt {
    const CStorageFolder* folder;
    bool held;
};

DWORD WINAPI TryLock(void* argument)
{
    auto* attempt = static_cast<Attempt*>(argument);
    CTaskFileLock lock(*attempt->folder, 50);
    attempt->held = lock.Held();
    return 0;
}

struct Holder {
    const CStorageFolder* folder;
    HANDLE taken;
    HANDLE release;
};

DWORD WINAPI HoldLock(void* argument)
{
    auto* holder = static_cast<Holder*>(argument);
    CTaskFileLock lock(*holder->folder, 0);
    SetEvent(holder->taken);
    WaitForSingleObject(holder->release, INFINITE);
    return 0;
}

// Whether another thread can have the folder's lock within a short wait.
bool OtherThreadGetsLock(const CStorageFolder& folder)
{
    Attempt attempt{&folder, false};
    HANDLE thread = CreateThread(nullptr, 0, TryLock, &attempt, 0, nullptr);
    if (thread == nullptr)
        return false;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return attempt.held;
}

TEST(TaskFileLock, NestedLockOfTheSameThreadKeepsTheFolderLockedUntilTheOuterGoes)
{
    ScratchFolder scratch;
    const CStorageFolder folder = scratch.Storage();
    ASSERT_TRUE(OtherThreadGetsLock(folder));
    {
        CTaskFileLock outer(folder, 0);
        ASSERT_TRUE(outer.Held());
        EXPECT_FALSE(OtherThreadGetsLock(folder));
        {
            // No wait is allowed: only a lock taken without waiting holds.
            CTaskFileLock inner(folder, 0);
            EXPECT_TRUE(inner.Held());
            CTaskFileLock innermost(folder, 0);
            EXPECT_TRUE(innermost.Held());
        }
        // The inner ones gave nothing back that the outer one holds.
        EXPECT_FALSE(OtherThreadGetsLock(folder));
    }
    EXPECT_TRUE(OtherThreadGetsLock(folder));
}

TEST(TaskFileLock, LocksOfOtherFoldersAreTheirOwn)
{
    ScratchFolder first;
    ScratchFolder second;
    {
        CTaskFileLock outer(first.Storage(), 0);
        ASSERT_TRUE(outer.Held());
        {
            CTaskFileLock other(second.Storage(), 0);
            EXPECT_TRUE(other.Held());
            EXPECT_FALSE(OtherThreadGetsLock(second.Storage()));
        }
        // The second folder's lock went with its holder; the first stays.
        EXPECT_TRUE(OtherThreadGetsLock(second.Storage()));
        EXPECT_FALSE(OtherThreadGetsLock(first.Storage()));
    }
    EXPECT_TRUE(OtherThreadGetsLock(first.Storage()));
}

TEST(TaskFileLock, ALockHeldElsewhereIsNotTakenForNested)
{
    ScratchFolder scratch;
    const CStorageFolder folder = scratch.Storage();
    // Another thread holds the lock until told to let go.
    Holder holder{&folder, CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, HoldLock, &holder, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(holder.taken, INFINITE);
    {
        CTaskFileLock refused(folder, 20);
        EXPECT_FALSE(refused.Held());
        // A refused lock is no outer lock for the next one.
        CTaskFileLock again(folder, 20);
        EXPECT_FALSE(again.Held());
    }
    SetEvent(holder.release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(holder.taken);
    CloseHandle(holder.release);
    CTaskFileLock after(folder, 0);
    EXPECT_TRUE(after.Held());
}

}  // namespace
