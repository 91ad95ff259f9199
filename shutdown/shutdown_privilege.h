#pragma once

// Enables "SeShutdownPrivilege" in the process token. True exactly when the
// system reports no error afterwards: a token that lacks the privilege
// reports ERROR_NOT_ALL_ASSIGNED although the call itself succeeds.
bool EnableProcessShutdownPrivilege();
