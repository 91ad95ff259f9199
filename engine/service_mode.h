// Whether this engine process runs as a service: the module's one service
// mode flag. The engine sets it before it serves its class, so that a
// scheduler object knows its mode from the start, also when a client's
// activation comes before the engine has told its own object.
#pragma once

void SetEngineServiceMode(bool service_mode);
// True until the engine has decided (a scheduler object held elsewhere takes
// the engine for a service, as its IsService default says).
bool EngineServiceMode();
