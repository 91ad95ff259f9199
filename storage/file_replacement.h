// Writing a whole file so that it is either the old file or the new one,
// never a mixture: the bytes go to a new temporary file in the same folder,
// which is flushed and then moved over the target in one step. A crash, a
// full disk or a refused write leaves the target as it was.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/framework/string.h"

// True when the file at path now holds exactly the given bytes. On failure
// *error (when given) receives the system error code, and no temporary file
// is left behind.
bool WriteFileReplacing(const CString& path, const void* data, size_t size, DWORD* error = nullptr);

// Deletes the temporary files that replacements in the folder (with a
// trailing backslash) left behind when their program was ended midway. A
// temporary file is never anything but the unfinished copy of a file that
// kept its old contents, so nothing is lost. Only for a folder whose
// writers all hold one lock, held by the caller: no replacement can then be
// under way there.
void RemoveLeftoverTemporaryFiles(const CString& folder);
