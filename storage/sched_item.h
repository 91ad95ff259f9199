// CSchedItem: the task file record. One record holds a task, its schedule,
// its condition and its command lines; the task storage copies a task into
// it property by property and writes it as "tasks\<description>.tsk" (or as
// the default task file "$default.tsk"), and the reverse.
//
// Stream of version 5 (the only one written), all little-endian: the int32
// version, then the fields below in declaration order, texts with their
// length prefix, lists as a count and texts, dates as the int32 status and
// the double. Versions 3 and 4 end after the weekday flags (4 scrambles the
// two account texts, 3 keeps them plain); versions 1 and 2 are the old
// layout that ConvertOldFormat reads.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"
#include "platform/framework/string.h"
#include "platform/framework/stringarray.h"

class CArchive;
class CStorageFolder;
class CStorageLog;

// TriggerType values.
enum TaskTriggerType : LONG {
    kTriggerManual = 0,
    kTriggerScheduled = 1,
    kTriggerFileWatch = 2,
    kTriggerApplicationWatch = 3,
    kTriggerWindowWatch = 4,
    kTriggerProcessWatch = 5,
};

class CSchedItem : public CObject {
    DECLARE_SERIAL(CSchedItem)

public:
    static constexpr LONG kCurrentVersion = 5;

    // The defaults of a new task: "<untitled>", the run log "Qvxsched.log"
    // in the host directory, every flag 0, the dates the current time, the
    // daily window 08:00 to 17:00 today, every month and weekday chosen, a
    // step of 1, scheduled indefinitely and on holidays too.
    CSchedItem();

    // Stores version 5, or loads any version (see the class comment). A
    // short or malformed stream, or a version outside 1-5, throws the
    // archive's error and leaves the record partly read.
    void Serialize(CArchive& ar) override;

    // Loads "tasks\<name>.tsk". A file of the old layout is rewritten in
    // version 5 at once, and a file whose stored description is not its
    // name gets its name as description and is rewritten too (both in one
    // save). A file that can't be read is reported to the log, and the
    // record is then partly read. With version: the version of the file as
    // the record now stands in it (see RecordVersion).
    bool LoadFromFile(const CStorageFolder& folder, const CString& name, CStorageLog& log,
                      ULONGLONG* version = nullptr);
    // Saves the record in place of the file at path (see SaveRecordFile);
    // false, reported to the log, when it can't. With version: the version
    // of the file written.
    bool SaveToFile(const CString& path, CStorageLog& log, ULONGLONG* version = nullptr);
    // The default task file. LoadDefault fails quietly when the file is
    // missing or empty (the caller then writes the defaults) and reports a
    // file that is there but can't be read.
    enum class DefaultLoad { loaded, absent, refused };
    DefaultLoad LoadDefault(const CStorageFolder& folder, CStorageLog& log);
    bool SaveDefault(const CStorageFolder& folder, CStorageLog& log);

    void AddCommandLine(const CString& line) { m_CommandLines.Add(line); }
    int GetCommandCount() const { return m_CommandLines.GetSize(); }
    // Empty for an index outside 0 ... count - 1.
    CString GetCommandLine(int index) const;

    CString EncodeString(const CString& text) const;
    CString DecodeString(const CString& text) const;

    // Reads the rest of a version 1 or 2 stream whose version has been read.
    void ConvertOldFormat(CArchive& ar, LONG version);

    // 1 when the last load met the old layout, else 0.
    LONG IsConvertedFromOldFormat() const { return m_ConvertedFromOldFormat; }
    // The version of the last load; 0 before any.
    LONG GetLoadedVersion() const { return m_LoadedVersion; }

    // The TriggerType a file without one gets: 1 for a schedule by time
    // (Frequency below 4), else by the condition type; condition types 10
    // and 11 are exchanged as they are. A condition type outside 0-11
    // leaves TriggerType as it is.
    void DeriveTriggerType();

    // Task.
    CString m_Description;
    CString m_LogFile;
    CString m_AlarmWaveFile;
    CString m_Password;  // plain in memory
    CString m_UserName;  // plain in memory
    LONG m_RunAsSystem;
    LONG m_IsInteractive;
    LONG m_IsLog;
    LONG m_IsEnabled;
    LONG m_IsAlarm;
    LONG m_IsExecIfPastDue;
    LONG m_IsSchedIfPastDue;
    LONG m_IsDeleteAfterExec;
    LONG m_IsDisableAfterExec;
    LONG m_IsPromptBeforeExec;
    LONG m_IsSuspendSchedule;
    LONG m_IsStopAfter;
    LONG m_StopHours;
    LONG m_StopMinutes;
    // Condition.
    LONG m_CondEnabled;
    LONG m_CondType;
    CString m_CondName;
    LONG m_CondAction;
    LONG m_CondFrequency;
    LONG m_CondReserved;  // written 0 (a converted file keeps the old value)
    LONG m_HasToggled;
    CStringArray m_ReservedList;  // written empty, read and ignored
    CStringArray m_CommandLines;
    // Schedule.
    COleDateTime m_ReservedDate;  // when the record was made
    COleDateTime m_LastExecTime;
    COleDateTime m_NextSchedTime;
    COleDateTime m_DurationTime;
    COleDateTime m_IntervalStartingTime;
    COleDateTime m_IntervalEndingTime;
    LONG m_Frequency;
    LONG m_DayOfMonth;
    LONG m_DayOfWeek;
    LONG m_Multiplier;
    LONG m_WorkDayOfMonth;
    LONG m_MonthRunType;
    LONG m_UseWeekType;
    LONG m_IsAdvOptions;
    LONG m_IsIntervalRange;
    LONG m_IntervalAmount;
    LONG m_IntervalType;
    LONG m_ReschedType;
    LONG m_ScheduledIndefinately;
    LONG m_IncludeHolidays;
    LONG m_IsMonthScheduled[12];  // January first
    LONG m_WeekDaySelected[7];    // Monday first
    // Version 5 only.
    CString m_AcctName;
    LONG m_TriggerType;
    LONG m_AutoReset;

private:
    void StoreFields(CArchive& ar);
    void LoadFields(CArchive& ar, LONG version);

    int m_ScrambleShift;
    LONG m_ConvertedFromOldFormat;
    LONG m_LoadedVersion;
};
