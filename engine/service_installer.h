// The engine's entry in the service control manager: installed by the
// "Service" switch, removed by "UnregServer" and before every registration.
#pragma once

#include <string>

bool IsServiceInstalled(const std::wstring& service_name);

// Creates the service (own process, interactive, automatic start, depending
// on RPCSS, local system account) for the executable at exe_path. An
// installed service counts as success. Failures go to the diagnostics log.
bool InstallService(const std::wstring& service_name, const std::wstring& exe_path);

// Stops the service when it runs and deletes it, waiting (bounded) for it to
// stop and to be gone, so that a new installation can follow at once. A
// service that is not installed counts as removed. Failures go to the
// diagnostics log.
bool RemoveService(const std::wstring& service_name);

// Whether this process is the one the service manager started for the
// service: the service's status names it. Unknown (the status can't be read)
// counts as started by the manager.
bool StartedByServiceManager(const std::wstring& service_name);
