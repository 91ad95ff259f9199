// Records to bytes and back in memory, through the same loader the storage
// uses for its files.
#pragma once

#include "byte_image.h"
#include "storage/record_file.h"

class CObject;

// The record's stream as Serialize stores it.
Bytes StoreRecord(CObject& record);
// Loads the record from the bytes as a file holding them would be loaded.
RecordLoad LoadRecord(CObject& record, const Bytes& bytes);
