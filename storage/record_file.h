// Loading and saving one record as a whole file, the way every storage file
// is kept: the file holds the record's stream and nothing else.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

class CFile;
class CObject;

enum class RecordLoad {
    loaded,
    missing,    // no such file
    notOpened,  // there, but can't be opened (locked, a folder, no access)
    empty,      // a file of length 0
    damaged,    // the stream is short, malformed, or followed by other data
};

// The version of a file's content: a 64-bit hash of its bytes, the same for
// two files exactly when (but for a hash collision) they hold the same bytes.
ULONGLONG RecordVersion(const void* bytes, size_t size);

// Opens the file for reading while denying writers and loads the record
// through its Serialize. Anything but loaded leaves the record partly read:
// load into a fresh record and drop it on failure. For notOpened, *osError
// (when given) receives the system error code. With version, a loaded file
// gives the version of the very bytes the record was loaded from.
RecordLoad LoadRecordFile(const CString& path, CObject& record, DWORD* osError = nullptr,
                          ULONGLONG* version = nullptr);

// The version of the file as it is now: loaded (with *version set), missing
// or notOpened (with *osError, when given).
RecordLoad ReadRecordFileVersion(const CString& path, ULONGLONG* version, DWORD* osError = nullptr);

// The same on a file already open for reading at its start (also a memory
// file): the record must fill the file exactly.
RecordLoad LoadRecordStream(CFile& file, CObject& record);

// Stores the record through its Serialize and puts the bytes in place with
// WriteFileReplacing, so the file is the old or the new one, never a broken
// one. On failure *error (when given) receives the system error code; on
// success *version (when given) the version of the bytes written.
bool SaveRecordFile(const CString& path, CObject& record, DWORD* error = nullptr, ULONGLONG* version = nullptr);
