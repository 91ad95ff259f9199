#include "storage/sched_options.h"

#include "platform/framework/archive.h"
#include "storage/record_file.h"
#include "storage/storage_folder.h"
#include "storage/storage_log.h"
#include "storage/storage_texts.h"
#include "task/shared/module_directory.h"

IMPLEMENT_SERIAL(CSchedOptions, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

constexpr LONG kFirstVersion = 1;
constexpr LONG kFirstVersionWithLogins = 2;

}  // namespace

CSchedOptions::CSchedOptions()
    : m_RunOnStartup(0),
      m_ScheduleInterval(10),
      m_StartupDelay(0),
      m_SendKeyDelay(50),
      m_SortOrder(0),
      m_ReservedA(1),
      m_DisplayErrors(1),
      m_LogErrors(1),
      m_ReservedB(0),
      m_Title("Tarvex"),
      m_ErrorFileName(CString(GetModuleDirectory().c_str()) + "Qvxerror.log"),
      m_WorkDays{1, 1, 1, 1, 1, 0, 0}
{
}

void CSchedOptions::AddHoliday(DATE date)
{
    COleDateTime holiday;
    holiday.m_dt = date;
    holiday.m_status = COleDateTime::valid;
    m_Holidays.push_back(holiday);
}

void CSchedOptions::AddLogin(const CNetworkLoginInfo& login)
{
    AddLogin(login.GetDescription(), login.GetDomain(), login.GetLoginName(), login.GetPassword());
}

void CSchedOptions::AddLogin(const CString& description, const CString& domain, const CString& loginName,
                             const CString& password)
{
    auto login = std::make_unique<CNetworkLoginInfo>();
    login->SetDescription(description);
    login->SetDomain(domain);
    login->SetLoginName(loginName);
    login->SetPassword(password);
    m_Logins.push_back(std::move(login));
}

void CSchedOptions::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kCurrentVersion;
        ar << m_RunOnStartup << m_ScheduleInterval << m_StartupDelay << m_SendKeyDelay << m_SortOrder << m_ReservedA
           << m_DisplayErrors << m_LogErrors << m_ReservedB;
        ar << m_Title << m_ErrorFileName;
        for (LONG day : m_WorkDays)
            ar << day;
        ar.WriteCount(static_cast<DWORD>(m_Holidays.size()));
        for (const COleDateTime& holiday : m_Holidays)
            ar.WriteRawDate(holiday);
        ar.WriteCount(static_cast<DWORD>(m_Logins.size()));
        for (const auto& login : m_Logins)
            ar.WriteObject(login.get());
        return;
    }

    LONG version = 0;
    ar >> version;
    // Nothing ever wrote another version: any other value is a file of
    // another kind, or a damaged one.
    if (version < kFirstVersion || version > kCurrentVersion)
        throw CArchiveException(CArchiveException::badSchema);
    ar >> m_RunOnStartup >> m_ScheduleInterval >> m_StartupDelay >> m_SendKeyDelay >> m_SortOrder >> m_ReservedA >>
        m_DisplayErrors >> m_LogErrors >> m_ReservedB;
    ar >> m_Title >> m_ErrorFileName;
    for (LONG& day : m_WorkDays)
        ar >> day;

    // Both lists grow as entries arrive, so a damaged count allocates no
    // more than the data that follows it.
    std::vector<COleDateTime> holidays;
    const DWORD holidayCount = ar.ReadCount();
    for (DWORD i = 0; i < holidayCount; ++i) {
        COleDateTime holiday;
        ar.ReadRawDate(holiday);
        holidays.push_back(holiday);
    }
    std::vector<std::unique_ptr<CNetworkLoginInfo>> logins;
    if (version >= kFirstVersionWithLogins) {
        const DWORD loginCount = ar.ReadCount();
        for (DWORD i = 0; i < loginCount; ++i) {
            // Every login is an object of its own: a reference to one read
            // before is refused, as the list owns and deletes each entry.
            std::unique_ptr<CObject> object(ar.ReadNewObject(RUNTIME_CLASS(CNetworkLoginInfo)));
            // The null tag is an empty entry.
            if (object)
                logins.emplace_back(static_cast<CNetworkLoginInfo*>(object.release()));
        }
    }
    m_Holidays.swap(holidays);
    m_Logins.swap(logins);
}

CSchedOptions::Load CSchedOptions::LoadFromFile(const CStorageFolder& folder, CStorageLog& log)
{
    const CString path = folder.SettingsFilePath();
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES &&
        (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
        SaveToFile(folder, log);
        return Load::created;
    }
    DWORD osError = 0;
    const RecordLoad result = LoadRecordFile(path, *this, &osError);
    if (result == RecordLoad::loaded)
        return Load::loaded;
    CString text;
    if (result == RecordLoad::notOpened || result == RecordLoad::missing)
        text.Format(storage_text::kFileNotOpened, storage_text::kSettingsFileKind, static_cast<const char*>(path),
                    osError);
    else if (result == RecordLoad::empty)
        text.Format(storage_text::kFileEmpty, storage_text::kSettingsFileKind, static_cast<const char*>(path));
    else
        text.Format(storage_text::kFileDamaged, storage_text::kSettingsFileKind, static_cast<const char*>(path));
    log.Write(text);
    return Load::refused;
}

bool CSchedOptions::SaveToFile(const CStorageFolder& folder, CStorageLog& log)
{
    const CString path = folder.SettingsFilePath();
    DWORD error = 0;
    if (SaveRecordFile(path, *this, &error))
        return true;
    CString text;
    text.Format(storage_text::kFileNotSaved, storage_text::kSettingsFileKind, static_cast<const char*>(path), error);
    log.Write(text);
    return false;
}
