// Values shared by the storage tests: automation dates built the way the
// fixtures were, and the record of task_v5.hex.
#pragma once

#include <windows.h>

#include "platform/framework/oledatetime.h"

class CSchedItem;

// Whole days since 30 December 1899 plus the seconds of the day / 86400:
// the doubles the fixtures hold.
double OaDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
COleDateTime ValidDate(double value);

// The record whose every field holds a value of its own, as task_v5.hex.
void FillDistinctValues(CSchedItem& item);
