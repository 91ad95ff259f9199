// The command object's program slot: which program it shows, and which
// handles it closes when.
#include "command/desktop/process_slot.h"

#include <gtest/gtest.h>

namespace {

using desktop::ProcessSlot;

// Any kernel object stands in for a process here.
OwnedKernelHandle NewHandle()
{
    return OwnedKernelHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

bool IsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(ProcessSlot, ReplacedHandleIsClosedUnlessHandedOut)
{
    HANDLE first = nullptr;
    HANDLE second = nullptr;
    {
        ProcessSlot slot;
        OwnedKernelHandle handle = NewHandle();
        first = handle.get();
        slot.Keep(std::move(handle));
        handle = NewHandle();
        second = handle.get();
        slot.Keep(std::move(handle));
        EXPECT_FALSE(IsOpen(first)) << "never handed out";
        EXPECT_EQ(slot.get(), second);

        EXPECT_EQ(slot.HandOut(), second);
        slot.reset();
        EXPECT_FALSE(slot);
        EXPECT_TRUE(IsOpen(second)) << "handed out: open while the slot lives";
    }
    EXPECT_FALSE(IsOpen(second));
}

TEST(ProcessSlot, WaitedProgramIsShownOnlyWhileTheWaitLasts)
{
    ProcessSlot slot;
    OwnedKernelHandle handle = NewHandle();
    const HANDLE kept = handle.get();
    slot.Keep(std::move(handle));

    handle = NewHandle();
    const HANDLE waited = handle.get();
    {
        desktop::WaitedProgram wait(slot, std::move(handle));
        EXPECT_EQ(wait.get(), waited);
        EXPECT_EQ(slot.get(), waited);
        EXPECT_EQ(slot.HandOut(), waited);
    }
    EXPECT_EQ(slot.get(), kept);
    EXPECT_TRUE(IsOpen(waited)) << "handed out during the wait";

    handle = NewHandle();
    const HANDLE unseen = handle.get();
    { desktop::WaitedProgram wait(slot, std::move(handle)); }
    EXPECT_FALSE(IsOpen(unseen)) << "never handed out";
    EXPECT_EQ(slot.get(), kept);
    EXPECT_TRUE(IsOpen(kept));
}

TEST(ProcessSlot, KeepingTheHandleItAlreadyHoldsClosesNothing)
{
    ProcessSlot slot;
    OwnedKernelHandle handle = NewHandle();
    const HANDLE held = handle.get();
    slot.Keep(std::move(handle));
    // As ProcessHandle put back with the number it gave.
    slot.Keep(OwnedKernelHandle(slot.HandOut()));
    EXPECT_EQ(slot.get(), held);
    EXPECT_TRUE(IsOpen(held));
}

}  // namespace
