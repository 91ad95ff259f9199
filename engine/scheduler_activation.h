// Reaching the engine's scheduler object the way every client does: remote-
// capable activation of QVScheduler on this computer, by its own name.
#pragma once

#include "platform/com/com_ptr.h"
#include "tarvex.h"

// The computer's NetBIOS name could not be read: the failure of the
// activation, since nothing can be reached without it.
HRESULT ActivateSchedulerOnThisComputer(tvx::com::ComPtr<IQVScheduler>& scheduler);
