#pragma once

#include <windows.h>

// TRUE on the NT family; FALSE on the consumer family (95/98/Me) or when the
// version cannot be queried.
BOOL IsWindowsNT();
