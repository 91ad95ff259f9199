// CSchedOptions: the scheduler's settings record, kept in "$qvxsys.dat" in
// the host directory: the scheduler-wide settings, the work days, the
// holidays and the stored logins.
//
// Stream of version 2 (the only one written), all little-endian: the int32
// version; nine int32 settings; the title and the error log name as texts;
// seven int32 work-day flags; the holiday count and each holiday as the
// double and the int32 status; the login count and each login as a tagged
// object (CNetworkLoginInfo). Version 1 ends after the holidays.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"
#include "platform/framework/string.h"
#include "storage/network_login_info.h"

class CArchive;
class CStorageFolder;
class CStorageLog;

class CSchedOptions : public CObject {
    DECLARE_SERIAL(CSchedOptions)

public:
    static constexpr LONG kCurrentVersion = 2;

    // The settings of a first start: interval 10 s, key delay 50 ms, both
    // error switches on, the error log "Qvxerror.log" in the host
    // directory, Monday to Friday as work days, no holidays, no logins.
    CSchedOptions();

    // Stores version 2, or loads version 1 or 2; loading replaces the
    // holidays and the logins. A short or malformed stream, another version
    // or an object of another class throws the archive's error and leaves the
    // record partly read.
    void Serialize(CArchive& ar) override;

    enum class Load { loaded, created, refused };
    // Reads "$qvxsys.dat". A missing file is created with the defaults (the
    // record keeps them, whatever the save gave: created); a file that is
    // there but can't be read is reported to the log (refused).
    Load LoadFromFile(const CStorageFolder& folder, CStorageLog& log);
    // Replaces "$qvxsys.dat" with this record; false, reported to the log,
    // when it can't.
    bool SaveToFile(const CStorageFolder& folder, CStorageLog& log);

    void ClearHolidays() { m_Holidays.clear(); }
    // Appended with status valid.
    void AddHoliday(DATE date);
    int GetHolidayCount() const { return static_cast<int>(m_Holidays.size()); }
    const COleDateTime& GetHoliday(int index) const { return m_Holidays.at(static_cast<size_t>(index)); }

    void ClearLogins() { m_Logins.clear(); }
    // A new record with the four texts of the given login.
    void AddLogin(const CNetworkLoginInfo& login);
    void AddLogin(const CString& description, const CString& domain, const CString& loginName,
                  const CString& password);
    int GetLoginCount() const { return static_cast<int>(m_Logins.size()); }
    const CNetworkLoginInfo& GetLogin(int index) const { return *m_Logins.at(static_cast<size_t>(index)); }

    LONG m_RunOnStartup;
    LONG m_ScheduleInterval;  // seconds
    LONG m_StartupDelay;      // seconds
    LONG m_SendKeyDelay;      // milliseconds
    LONG m_SortOrder;
    LONG m_ReservedA;
    LONG m_DisplayErrors;
    LONG m_LogErrors;
    LONG m_ReservedB;
    CString m_Title;
    CString m_ErrorFileName;
    LONG m_WorkDays[7];  // Monday first

private:
    std::vector<COleDateTime> m_Holidays;
    std::vector<std::unique_ptr<CNetworkLoginInfo>> m_Logins;
};
