// The account a task runs under, taken from the engine's stored logins.
#pragma once

#include <vector>

#include "engine/login_list.h"
#include "qvxtask.h"

// A task that names a login (AcctName) gets that login's user name
// ("domain\login") and password; every login of that description is applied
// in order, so the last one wins. A task that names none adopts the first
// login whose user name and password equal its own: it takes the login's
// description as AcctName and is saved. Texts compare case-sensitively.
void ApplyTaskAccount(IQVTask* task, const std::vector<LoginEntry>& logins);
