#include "save_loop_records.h"

#include <cstdio>

#include "storage/sched_item.h"

void MakeSaveLoopRecord(CSchedItem& item, int which)
{
    item.m_Description = kSaveLoopTaskName;
    item.m_LogFile = which == 0 ? "short.log" : "long.log";
    item.m_ReservedDate.m_dt = item.m_LastExecTime.m_dt = item.m_NextSchedTime.m_dt = item.m_DurationTime.m_dt =
        45000.0;
    item.m_IntervalStartingTime.m_dt = 45000.25;
    item.m_IntervalEndingTime.m_dt = 45000.75;
    const int lines = which == 0 ? 19999 : 20000;
    for (int line = 0; line < lines; ++line) {
        char text[64];
        std::snprintf(text, sizeof text, "LogToFile(long.log,line %d of a long script)", line);
        item.AddCommandLine(text);
    }
}
