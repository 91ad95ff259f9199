#include "task/condition.h"

#include <cstring>

#include "platform/framework/archive.h"
#include "task/condition_process.h"
#include "task/condition_window.h"
#include "task/dde_client.h"

IMPLEMENT_SERIAL(CCondition, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

constexpr LONG kStreamVersion = 2;

const char* const kConditionNames[] = {
    "Application Not Running",
    "Application Running",
    "File Change",
    "File Change And Not Locked",
    "File Does Not Exist",
    "File Exists",
    "File Exists And Is Not Locked",
    "Window Active",
    "Window Inactive",
    "DDE Change",
    "Process Not Running",
    "Process Running",
};

constexpr long kConditionCount = sizeof kConditionNames / sizeof kConditionNames[0];

// Keeps the first characters of a DDE value; the buffer holds one more for
// the terminator.
void CopyDdeValue(const CString& value, char* buffer)
{
    std::strncpy(buffer, value, CCondition::kDdeValueLength);
    buffer[CCondition::kDdeValueLength] = '\0';
}

}  // namespace

// The DDE client and the item's value as last seen and as the baseline.
struct CCondition::DdeLink {
    CDDEClient client;
    char current[kDdeValueLength + 1] = "";
    char previous[kDdeValueLength + 1] = "";
};

CCondition::CCondition() : m_accountApi(&SystemConditionAccountApi())
{
    Reset();
}

CCondition::~CCondition() = default;

long CCondition::Check()
{
    m_errorText.Empty();
    ConditionImpersonation impersonation(*m_accountApi);
    if (!m_userName.IsEmpty() && !impersonation.Begin(m_userName, m_password, &m_errorText))
        return 0;

    const long result = m_Enabled ? Test() : 1;
    if (result != m_LastResult)
        m_HasToggled = 1;
    m_LastResult = result;
    return result;
}

long CCondition::Test()
{
    switch (m_CondType) {
    case kCondApplicationNotRunning:
        return FindWindowLike(m_CondName) == nullptr;
    case kCondApplicationRunning:
        return FindWindowLike(m_CondName) != nullptr;
    case kCondFileChange:
    case kCondFileChangeAndNotLocked:
        return FileChanged();
    case kCondFileDoesNotExist:
        // The same search as "File Exists", so that a pattern works here too.
        return !FindFileEntry(m_CondName, false);
    case kCondFileExists:
        return FindFileEntry(m_CondName, false);
    case kCondFileExistsAndNotLocked:
        return FindFileEntry(m_CondName, true);
    case kCondWindowActive:
        return WindowActive();
    case kCondWindowInactive:
        return !WindowActive();
    case kCondDdeChange:
        return DdeChanged();
    case kCondProcessNotRunning:
        return !IsProcessRunning(m_CondName);
    case kCondProcessRunning:
        return IsProcessRunning(m_CondName);
    default:
        return 1;
    }
}

bool CCondition::FileChanged()
{
    FileStatus status;
    if (m_CondName.IsEmpty() || !ReadFileStatus(m_CondName, &status))
        return false;
    if (status == m_fileBaseline)
        return false;
    // A change made under a lock is held back, not taken into the baseline:
    // once the writer lets go, the next test reports it.
    if (m_CondType == kCondFileChangeAndNotLocked && IsFileLocked(m_CondName))
        return false;
    m_fileBaseline = status;
    return true;
}

bool CCondition::WindowActive() const
{
    const HWND window = FindWindowLike(m_CondName);
    return window != nullptr && window == GetForegroundWindow();
}

void CCondition::Reset()
{
    m_LastResult = 0;
    m_HasToggled = 1;
    switch (m_CondType) {
    case kCondFileChange:
    case kCondFileChangeAndNotLocked: {
        FileStatus status;
        if (!m_CondName.IsEmpty() && ReadFileStatus(m_CondName, &status))
            m_fileBaseline = status;
        break;
    }
    case kCondDdeChange:
        ResetDde();
        break;
    default:
        break;
    }
}

void CCondition::ResetDde()
{
    // "service,topic,item"; parts left out keep their earlier values.
    CString* const parts[] = {&m_ddeService, &m_ddeTopic, &m_ddeItem};
    int start = 0;
    for (CString* part : parts) {
        if (m_CondName.IsEmpty() || start > m_CondName.GetLength())
            break;
        const int comma = m_CondName.Find(',', start);
        const int end = comma < 0 ? m_CondName.GetLength() : comma;
        *part = m_CondName.Mid(start, end - start);
        start = end + 1;
    }
    if (m_ddeService.IsEmpty() && m_ddeTopic.IsEmpty() && m_ddeItem.IsEmpty())
        return;

    if (!m_dde)
        m_dde.reset(new DdeLink);
    if (!m_dde->client.Open(m_ddeService, m_ddeTopic, m_ddeItem))
        return;
    CString value;
    if (m_dde->client.Request(&value)) {
        // The baseline is what the next test compares against, so that the
        // first test after a reset reports only a real change.
        CopyDdeValue(value, m_dde->current);
        CopyDdeValue(value, m_dde->previous);
    }
    m_dde->client.Close();
}

bool CCondition::DdeChanged()
{
    if (!m_dde)
        return false;
    if (!m_dde->client.Open(m_ddeService, m_ddeTopic, m_ddeItem))
        return false;
    CString value;
    const bool connected = m_dde->client.Request(&value);
    m_dde->client.Close();
    // A server that does not answer has not changed its value.
    if (!connected)
        return false;
    CopyDdeValue(value, m_dde->current);
    if (std::strncmp(m_dde->current, m_dde->previous, kDdeValueLength) == 0)
        return false;
    std::memcpy(m_dde->previous, m_dde->current, sizeof m_dde->previous);
    return true;
}

void CCondition::SetUserInformation(const CString& userName, const CString& password, long interactive)
{
    // Stored as given, empty texts included: a task moved to the system
    // account must not go on testing under the user it had before.
    m_errorText.Empty();
    m_userName = userName;
    m_password = password;
    m_interactive = interactive;
}

CString CCondition::GetConditionString() const
{
    if (!m_Enabled)
        return "Not Active";
    if (m_CondType < 0 || m_CondType >= kConditionCount)
        return CString();
    return kConditionNames[m_CondType];
}

CString CCondition::GetLastActiveString() const
{
    if (!m_Enabled)
        return CString();
    return m_LastResult ? "True" : "False";
}

void CCondition::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << kStreamVersion << static_cast<LONG>(m_Enabled) << static_cast<LONG>(m_CondType)
           << static_cast<LONG>(m_Action) << m_CondName << static_cast<LONG>(m_Reserved)
           << static_cast<LONG>(m_Frequency) << static_cast<LONG>(m_HasToggled) << static_cast<LONG>(m_AutoReset);
        return;
    }

    // Read everything before changing anything, so that a stream that ends
    // early leaves the record as it was.
    LONG version = 0;
    ar >> version;
    if (version != kStreamVersion)
        throw CArchiveException(CArchiveException::badSchema);
    LONG enabled = 0, condType = 0, action = 0, reserved = 0, frequency = 0, hasToggled = 0, autoReset = 0;
    CString condName;
    ar >> enabled >> condType >> action >> condName >> reserved >> frequency >> hasToggled >> autoReset;
    m_Enabled = enabled;
    m_CondType = condType;
    m_Action = action;
    m_CondName = condName;
    m_Reserved = reserved;
    m_Frequency = frequency;
    m_HasToggled = hasToggled;
    m_AutoReset = autoReset;
}
