// CCondition: the watched condition of a condition-triggered task, its test
// and the edge detection that tells a condition that holds from one that has
// just changed.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/framework/object.h"
#include "platform/framework/string.h"
#include "task/condition_account.h"
#include "task/condition_file.h"

class CArchive;

// CondType values.
enum ConditionType : long {
    kCondApplicationNotRunning = 0,
    kCondApplicationRunning = 1,
    kCondFileChange = 2,
    kCondFileChangeAndNotLocked = 3,
    kCondFileDoesNotExist = 4,
    kCondFileExists = 5,
    kCondFileExistsAndNotLocked = 6,
    kCondWindowActive = 7,
    kCondWindowInactive = 8,
    kCondDdeChange = 9,
    kCondProcessNotRunning = 10,
    kCondProcessRunning = 11,
};

// What is watched (CondName) depends on the type: a window title pattern
// (0, 1, 7, 8), a file path or pattern (2-6), "service,topic,item" (9) or a
// process's executable name (10, 11).
//
// The record does no locking: the object that owns it serialises calls.
class CCondition : public CObject {
    DECLARE_SERIAL(CCondition)

public:
    // Characters of a DDE value that are kept and compared.
    static constexpr int kDdeValueLength = 255;

    CCondition();
    ~CCondition() override;

    // Runs the test under the stored account: 1 when the condition holds
    // (always for a disabled one), else 0. A result that differs from the
    // last one sets HasToggled. When the account can't be logged on or
    // impersonated the result is 0, the last result and HasToggled stay as
    // they were, and GetErrorText() tells why.
    long Check();
    // Takes the baselines anew (the file's status, the DDE item's value);
    // the last result becomes 0 and HasToggled 1.
    void Reset();
    // The account later tests run under ("DOMAIN\user" or "user"). An empty
    // user name or password means the process's own account.
    void SetUserInformation(const CString& userName, const CString& password, long interactive);

    // "File Exists" and the like; "Not Active" when disabled, empty for an
    // unknown type.
    CString GetConditionString() const;
    // "True" or "False" from the last result; empty when disabled.
    CString GetLastActiveString() const;

    // The error text of the last Check; emptied by Check and
    // SetUserInformation.
    const CString& GetErrorText() const { return m_errorText; }

    long GetCondType() const { return m_CondType; }
    void SetCondType(long value) { m_CondType = value; }
    long GetAction() const { return m_Action; }
    void SetAction(long value) { m_Action = value; }
    long GetFrequency() const { return m_Frequency; }
    void SetFrequency(long value) { m_Frequency = value; }
    long GetActive() const { return m_LastResult; }
    void SetActive(long value) { m_LastResult = value; }
    long GetHasToggled() const { return m_HasToggled; }
    void SetHasToggled(long value) { m_HasToggled = value; }
    long GetAutoReset() const { return m_AutoReset; }
    void SetAutoReset(long value) { m_AutoReset = value; }
    long GetEnabled() const { return m_Enabled; }
    void SetEnabled(long value) { m_Enabled = value; }
    const CString& GetCondName() const { return m_CondName; }
    void SetCondName(const CString& value) { m_CondName = value; }

    const CString& GetUserName() const { return m_userName; }
    const CString& GetPassword() const { return m_password; }
    long GetInteractive() const { return m_interactive; }

    // The logon and impersonation calls (the system's by default).
    void SetAccountApi(ConditionAccountApi& api) { m_accountApi = &api; }

    // The record stream: version 2, Enabled, CondType, Action, CondName, a
    // reserved integer, Frequency, HasToggled, AutoReset. Loading a stream
    // of another version throws the archive's bad-schema error and changes
    // nothing.
    void Serialize(CArchive& ar) override;

private:
    struct DdeLink;

    long Test();
    bool FileChanged();
    bool WindowActive() const;
    void ResetDde();
    bool DdeChanged();

    FileStatus m_fileBaseline;
    long m_CondType = kCondApplicationNotRunning;
    long m_Action = 1;
    long m_Frequency = 0;
    long m_Reserved = 0;  // only the record stream carries it
    long m_LastResult = 0;
    long m_HasToggled = 1;
    long m_AutoReset = 0;
    long m_Enabled = 0;
    std::unique_ptr<DdeLink> m_dde;  // made by the first DDE reset
    CString m_CondName;
    CString m_ddeService;
    CString m_ddeTopic;
    CString m_ddeItem;
    CString m_userName;
    CString m_password;
    long m_interactive = 0;
    CString m_errorText;
    ConditionAccountApi* m_accountApi;
};
