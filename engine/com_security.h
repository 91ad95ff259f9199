// Process-wide COM security of the engine on the NT family: any caller may
// reach the scheduler (the administrator runs under the interactive user, the
// engine often under the system account); calls are authenticated per packet
// and the engine may impersonate its callers.
#pragma once

#include <objbase.h>

HRESULT InitializeEngineComSecurity();
