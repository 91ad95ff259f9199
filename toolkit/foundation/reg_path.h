// WtkGetRegPath: where a toolkit object keeps its state in the registry.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

// The explicit path when it is given and not empty, unchanged. Otherwise
// "SOFTWARE\<registry key>\<profile name>\<section>\" from the application
// object: each part followed by one backslash (a part that already ends in
// one gets no second), parts that are missing or empty left out. The result
// then always ends in a backslash.
CString WtkGetRegPath(LPCSTR lpszSection, LPCSTR lpszPath = nullptr);
