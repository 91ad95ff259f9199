// The two records the save loop alternates between; the test compares the
// file with exactly these.
#pragma once

class CSchedItem;

constexpr const char kSaveLoopTaskName[] = "Interrupted";

// Both records are long (many command lines), so that a save takes a while
// and a kill can land in the middle of it; record 0 has one line fewer. The
// two take about as long to save: with a short record 0 its save was over
// within a few milliseconds, and a kill at a random moment found the long
// record in the file only when it landed in that short moment, which a
// loaded machine could miss on every round.
void MakeSaveLoopRecord(CSchedItem& item, int which);
