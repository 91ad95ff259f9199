// Whether a task description can name a task file: the description becomes
// "<description>.tsk" inside the tasks folder, so it must be a plain file
// name there and nothing else.
#pragma once

#include "platform/framework/string.h"

class CStorageFolder;

// False for an empty name; a name with a path separator, a drive colon or
// another character Windows forbids in file names (< > : " / \ | ? * and the
// control characters); a name made of dots and blanks only ("." and ".."
// among them); a reserved device name (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9, CONIN$, CONOUT$), with or without something after a dot; and a
// name too long for a file name once ".tsk" is added.
bool IsPlainTaskFileName(const CString& name);

// Whether the task file of that name in the folder has a path the file
// functions take: shorter than MAX_PATH, which counts the terminating zero.
// A longer one can be the target of a rename, so a save would seem to work,
// but the file could then never be opened or deleted.
bool TaskFilePathFits(const CStorageFolder& folder, const CString& name);
