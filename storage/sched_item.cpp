#include "storage/sched_item.h"

#include "platform/framework/archive.h"
#include "storage/account_scrambling.h"
#include "storage/loaded_version.h"
#include "storage/record_file.h"
#include "storage/storage_folder.h"
#include "storage/storage_log.h"
#include "storage/storage_texts.h"
#include "task/shared/module_directory.h"

IMPLEMENT_SERIAL(CSchedItem, CObject, 5)

namespace {

constexpr LONG kFirstVersion = 1;
constexpr LONG kFirstScrambledVersion = 4;
constexpr LONG kFirstNewLayoutVersion = 3;
constexpr LONG kNotScheduledByTime = 4;

COleDateTime TodayAt(const COleDateTime& now, int hour)
{
    return COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), hour, 0, 0);
}

// Why a record file was not read, as a log line.
CString LoadFailureText(RecordLoad result, DWORD osError, const char* kind, const CString& path)
{
    CString text;
    switch (result) {
    case RecordLoad::missing:
        text.Format(storage_text::kFileMissing, kind, static_cast<const char*>(path));
        break;
    case RecordLoad::notOpened:
        text.Format(storage_text::kFileNotOpened, kind, static_cast<const char*>(path), osError);
        break;
    case RecordLoad::empty:
        text.Format(storage_text::kFileEmpty, kind, static_cast<const char*>(path));
        break;
    default:
        text.Format(storage_text::kFileDamaged, kind, static_cast<const char*>(path));
        break;
    }
    return text;
}

}  // namespace

CSchedItem::CSchedItem()
    : m_Description("<untitled>"),
      m_LogFile(CString(GetModuleDirectory().c_str()) + "Qvxsched.log"),
      m_RunAsSystem(0),
      m_IsInteractive(0),
      m_IsLog(0),
      m_IsEnabled(0),
      m_IsAlarm(0),
      m_IsExecIfPastDue(0),
      m_IsSchedIfPastDue(0),
      m_IsDeleteAfterExec(0),
      m_IsDisableAfterExec(0),
      m_IsPromptBeforeExec(0),
      m_IsSuspendSchedule(0),
      m_IsStopAfter(0),
      m_StopHours(0),
      m_StopMinutes(0),
      m_CondEnabled(0),
      m_CondType(0),
      m_CondAction(0),
      m_CondFrequency(0),
      m_CondReserved(0),
      m_HasToggled(0),
      m_Frequency(0),
      m_DayOfMonth(0),
      m_DayOfWeek(0),
      m_Multiplier(1),
      m_WorkDayOfMonth(1),
      m_MonthRunType(0),
      m_UseWeekType(0),
      m_IsAdvOptions(0),
      m_IsIntervalRange(0),
      m_IntervalAmount(1),
      m_IntervalType(0),
      m_ReschedType(0),
      // A new task must not expire at once: like the schedule record, it
      // runs without an end date and on holidays too until told otherwise.
      m_ScheduledIndefinately(1),
      m_IncludeHolidays(1),
      m_TriggerType(kTriggerManual),
      m_AutoReset(0),
      m_ScrambleShift(kAccountScrambleShift),
      m_ConvertedFromOldFormat(0),
      m_LoadedVersion(0)
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    m_ReservedDate = now;
    m_LastExecTime = now;
    m_NextSchedTime = now;
    m_DurationTime = now;
    m_IntervalStartingTime = TodayAt(now, 8);
    m_IntervalEndingTime = TodayAt(now, 17);
    for (LONG& month : m_IsMonthScheduled)
        month = 1;
    for (LONG& day : m_WeekDaySelected)
        day = 1;
}

void CSchedItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kCurrentVersion;
        StoreFields(ar);
        return;
    }
    LONG version = 0;
    ar >> version;
    // Nothing ever wrote another version: any other value is a file of
    // another kind, or a damaged one.
    if (version < kFirstVersion || version > kCurrentVersion)
        throw CArchiveException(CArchiveException::badSchema);
    m_LoadedVersion = version;
    if (version < kFirstNewLayoutVersion) {
        m_ConvertedFromOldFormat = 1;
        ConvertOldFormat(ar, version);
        return;
    }
    m_ConvertedFromOldFormat = 0;
    LoadFields(ar, version);
}

void CSchedItem::StoreFields(CArchive& ar)
{
    ar << m_Description << m_LogFile << m_AlarmWaveFile;
    ar << EncodeString(m_Password) << EncodeString(m_UserName);
    ar << m_RunAsSystem << m_IsInteractive << m_IsLog << m_IsEnabled << m_IsAlarm << m_IsExecIfPastDue
       << m_IsSchedIfPastDue << m_IsDeleteAfterExec << m_IsDisableAfterExec << m_IsPromptBeforeExec
       << m_IsSuspendSchedule << m_IsStopAfter << m_StopHours << m_StopMinutes;
    ar << m_CondEnabled << m_CondType << m_CondName << m_CondAction << m_CondFrequency << m_CondReserved
       << m_HasToggled;
    m_ReservedList.Serialize(ar);
    m_CommandLines.Serialize(ar);
    ar << m_ReservedDate << m_LastExecTime << m_NextSchedTime << m_DurationTime << m_IntervalStartingTime
       << m_IntervalEndingTime;
    ar << m_Frequency << m_DayOfMonth << m_DayOfWeek << m_Multiplier << m_WorkDayOfMonth << m_MonthRunType
       << m_UseWeekType << m_IsAdvOptions << m_IsIntervalRange << m_IntervalAmount << m_IntervalType
       << m_ReschedType << m_ScheduledIndefinately << m_IncludeHolidays;
    for (LONG month : m_IsMonthScheduled)
        ar << month;
    for (LONG day : m_WeekDaySelected)
        ar << day;
    ar << m_AcctName << m_TriggerType << m_AutoReset;
}

void CSchedItem::LoadFields(CArchive& ar, LONG version)
{
    ar >> m_Description >> m_LogFile >> m_AlarmWaveFile;
    CString password;
    CString userName;
    ar >> password >> userName;
    // Version 3 kept the account texts plain.
    if (version >= kFirstScrambledVersion) {
        m_Password = DecodeString(password);
        m_UserName = DecodeString(userName);
    } else {
        m_Password = password;
        m_UserName = userName;
    }
    ar >> m_RunAsSystem >> m_IsInteractive >> m_IsLog >> m_IsEnabled >> m_IsAlarm >> m_IsExecIfPastDue >>
        m_IsSchedIfPastDue >> m_IsDeleteAfterExec >> m_IsDisableAfterExec >> m_IsPromptBeforeExec >>
        m_IsSuspendSchedule >> m_IsStopAfter >> m_StopHours >> m_StopMinutes;
    ar >> m_CondEnabled >> m_CondType >> m_CondName >> m_CondAction >> m_CondFrequency >> m_CondReserved >>
        m_HasToggled;
    m_ReservedList.Serialize(ar);
    m_CommandLines.Serialize(ar);
    ar >> m_ReservedDate >> m_LastExecTime >> m_NextSchedTime >> m_DurationTime >> m_IntervalStartingTime >>
        m_IntervalEndingTime;
    ar >> m_Frequency >> m_DayOfMonth >> m_DayOfWeek >> m_Multiplier >> m_WorkDayOfMonth >> m_MonthRunType >>
        m_UseWeekType >> m_IsAdvOptions >> m_IsIntervalRange >> m_IntervalAmount >> m_IntervalType >>
        m_ReschedType >> m_ScheduledIndefinately >> m_IncludeHolidays;
    for (LONG& month : m_IsMonthScheduled)
        ar >> month;
    for (LONG& day : m_WeekDaySelected)
        ar >> day;
    if (version >= kCurrentVersion) {
        ar >> m_AcctName >> m_TriggerType >> m_AutoReset;
        return;
    }
    m_AcctName.Empty();
    m_AutoReset = 0;
    DeriveTriggerType();
}

void CSchedItem::DeriveTriggerType()
{
    if (m_Frequency < kNotScheduledByTime) {
        m_TriggerType = kTriggerScheduled;
        return;
    }
    switch (m_CondType) {
    case 0:
    case 1:
        m_TriggerType = kTriggerApplicationWatch;
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        m_TriggerType = kTriggerFileWatch;
        break;
    case 7:
    case 8:
        m_TriggerType = kTriggerWindowWatch;
        break;
    case 9:
        m_TriggerType = kTriggerManual;
        break;
    case 10:
    case 11:
        // The process conditions were numbered the other way round before.
        m_TriggerType = kTriggerProcessWatch;
        m_CondType = m_CondType == 10 ? 11 : 10;
        break;
    default:
        break;
    }
}

bool CSchedItem::LoadFromFile(const CStorageFolder& folder, const CString& name, CStorageLog& log,
                              ULONGLONG* version)
{
    if (name.IsEmpty())
        return false;
    const CString path = folder.TaskFilePath(name);
    DWORD osError = 0;
    const RecordLoad result = LoadRecordFile(path, *this, &osError, version);
    if (result != RecordLoad::loaded) {
        log.Write(LoadFailureText(result, osError, storage_text::kTaskFileKind, path));
        return false;
    }
    CLoadedVersionWatch::Report(m_LoadedVersion);

    // The file name wins over the stored description. An old-format file is
    // rewritten once, under its file name, so that it never ends as two.
    const bool renamed = m_Description.Compare(name) != 0;
    if (renamed)
        m_Description = name;
    if (!renamed && !m_ConvertedFromOldFormat)
        return true;
    DWORD error = 0;
    if (!SaveRecordFile(path, *this, &error, version)) {
        CString text;
        if (m_ConvertedFromOldFormat)
            text.Format(storage_text::kOldFormatNotSaved, static_cast<const char*>(path), error);
        else
            text.Format(storage_text::kRenamedFileNotSaved, static_cast<const char*>(path), error);
        log.Write(text);
    }
    return true;
}

bool CSchedItem::SaveToFile(const CString& path, CStorageLog& log, ULONGLONG* version)
{
    if (path.IsEmpty())
        return false;
    DWORD error = 0;
    if (SaveRecordFile(path, *this, &error, version))
        return true;
    CString text;
    text.Format(storage_text::kFileNotSaved, storage_text::kTaskFileKind, static_cast<const char*>(path), error);
    log.Write(text);
    return false;
}

CSchedItem::DefaultLoad CSchedItem::LoadDefault(const CStorageFolder& folder, CStorageLog& log)
{
    const CString path = folder.DefaultTaskFilePath();
    DWORD osError = 0;
    const RecordLoad result = LoadRecordFile(path, *this, &osError);
    if (result == RecordLoad::loaded)
        return DefaultLoad::loaded;
    if (result == RecordLoad::missing || result == RecordLoad::empty)
        return DefaultLoad::absent;
    log.Write(LoadFailureText(result, osError, storage_text::kDefaultFileKind, path));
    return DefaultLoad::refused;
}

bool CSchedItem::SaveDefault(const CStorageFolder& folder, CStorageLog& log)
{
    const CString path = folder.DefaultTaskFilePath();
    DWORD error = 0;
    if (SaveRecordFile(path, *this, &error))
        return true;
    CString text;
    text.Format(storage_text::kFileNotSaved, storage_text::kDefaultFileKind, static_cast<const char*>(path),
                error);
    log.Write(text);
    return false;
}

CString CSchedItem::GetCommandLine(int index) const
{
    if (index < 0 || index >= m_CommandLines.GetSize())
        return CString();
    return m_CommandLines.GetAt(index);
}

CString CSchedItem::EncodeString(const CString& text) const
{
    return ScrambleAccountText(text, m_ScrambleShift);
}

CString CSchedItem::DecodeString(const CString& text) const
{
    return UnscrambleAccountText(text, m_ScrambleShift);
}
