#include "command/desktop/process_slot.h"

namespace desktop {

using tvx::com::ScopedLock;

HANDLE ProcessSlot::get() const
{
    ScopedLock hold(m_lock);
    return m_waited.handle ? m_waited.handle.get() : m_kept.handle.get();
}

void ProcessSlot::Keep(OwnedKernelHandle process)
{
    ScopedLock hold(m_lock);
    // The same handle again (ProcessHandle put back as it was read) is
    // already owned here.
    if (process && process.get() == m_kept.handle.get()) {
        process.release();
        return;
    }
    Release(m_kept);
    m_kept.handle = std::move(process);
}

HANDLE ProcessSlot::HandOut()
{
    ScopedLock hold(m_lock);
    Held& shown = m_waited.handle ? m_waited : m_kept;
    shown.handedOut = shown.handle.get() != nullptr;
    return shown.handle.get();
}

void ProcessSlot::BeginWait(OwnedKernelHandle process)
{
    ScopedLock hold(m_lock);
    Release(m_waited);
    m_waited.handle = std::move(process);
}

void ProcessSlot::EndWait()
{
    ScopedLock hold(m_lock);
    Release(m_waited);
}

void ProcessSlot::Release(Held& held)
{
    if (held.handedOut && held.handle)
        m_handedOutAndGone.push_back(std::move(held.handle));
    held.handle.reset();
    held.handedOut = false;
}

}  // namespace desktop
