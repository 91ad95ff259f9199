// The two records the save loop alternates between; the test compares the
// file with exactly these.
#pragma once

class CSchedItem;

constexpr const char kSaveLoopTaskName[] = "Interrupted";

// Record 0 is short, record 1 long (many command lines), so that a save
// takes a while and a kill can land in the middle of it.
void MakeSaveLoopRecord(CSchedItem& item, int which);
