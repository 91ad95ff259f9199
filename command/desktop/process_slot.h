// The program a command object started last, as WaitForProgram waits for it
// and as the object's ProcessHandle shows it. The task reads ProcessHandle
// from another thread while the run goes on, to end the program when the
// run's time limit passes; so the slot is locked, and a handle it has handed
// out stays open until the slot goes, so that the number a reader got never
// comes to name some other object.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "command/owned_handle.h"
#include "platform/com/critical_section.h"

namespace desktop {

class ProcessSlot {
public:
    ProcessSlot() = default;
    ProcessSlot(const ProcessSlot&) = delete;
    ProcessSlot& operator=(const ProcessSlot&) = delete;

    // The program shown: the one waited for while a wait goes on, else the
    // one kept.
    HANDLE get() const;
    explicit operator bool() const { return get() != nullptr; }

    // The program started last without waiting; replaces (and closes) the
    // one kept before.
    void Keep(OwnedKernelHandle process);
    void reset() { Keep(OwnedKernelHandle()); }

    // For ProcessHandle readers on any thread: the program shown, whose
    // handle now stays open as long as the slot.
    HANDLE HandOut();

    // While the run waits for a program it started, that program is the one
    // shown; afterwards the kept one is shown again.
    void BeginWait(OwnedKernelHandle process);
    void EndWait();

private:
    struct Held {
        OwnedKernelHandle handle;
        bool handedOut = false;
    };
    // Closes the handle, or keeps it until the slot goes once handed out.
    void Release(Held& held);

    mutable tvx::com::CriticalSection m_lock;
    Held m_kept;
    Held m_waited;
    std::vector<OwnedKernelHandle> m_handedOutAndGone;
};

// Shows a program in the slot for as long as the object lives.
class WaitedProgram {
public:
    WaitedProgram(ProcessSlot& slot, OwnedKernelHandle process) : m_slot(slot), m_process(process.get())
    {
        m_slot.BeginWait(std::move(process));
    }
    ~WaitedProgram() { m_slot.EndWait(); }
    WaitedProgram(const WaitedProgram&) = delete;
    WaitedProgram& operator=(const WaitedProgram&) = delete;
    HANDLE get() const { return m_process; }

private:
    ProcessSlot& m_slot;
    HANDLE m_process;
};

}  // namespace desktop
