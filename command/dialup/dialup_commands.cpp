#include "command/dialup/dialup_commands.h"

#include <cstdlib>
#include <cstring>

#include "command/dialup/dialup_texts.h"
#include "command/dialup/ras_library.h"

namespace dialup {
namespace {

// Pauses of a failed dial: after hanging it up, and before the next dial.
const DWORD kPauseAfterFailedDial = 3000;
const DWORD kPauseBeforeRedial = 5000;
const DWORD kPollInterval = 100;
const DWORD kHangUpPollInterval = 50;

CString Parameter(const std::vector<CString>& parameters, size_t index)
{
    return index < parameters.size() ? parameters[index] : CString();
}

// The runtime library's leading-integer reading: blanks, a sign, digits up
// to the first non-digit; no digits give 0, values out of range the limit.
long LeadingNumber(const char* text)
{
    return std::strtol(text, nullptr, 10);
}

bool Fits(const CString& text, int maxLength)
{
    return text.GetLength() <= maxLength;
}

void CopyField(char* field, size_t size, const char* text)
{
    std::strncpy(field, text, size - 1);
    field[size - 1] = '\0';
}

void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void DispatchOneMessage()
{
    MSG message;
    if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool Elapsed(DWORD since, DWORD limit)
{
    return ::GetTickCount() - since >= limit;
}

}  // namespace

DialUpCommands::DialUpCommands(const DialUpLimits& limits)
    : m_limits(limits), m_bAvailable(m_library.Loaded())
{
    m_status.dwSize = sizeof(m_status);
}

int DialUpCommands::FindConnection(const RasLibrary& ras, const char* entry, HRASCONN* connection)
{
    // First the needed size, then every connection.
    std::vector<RasConnectionEntry> entries(1);
    entries[0].dwSize = sizeof(RasConnectionEntry);
    DWORD bytes = sizeof(RasConnectionEntry);
    DWORD count = 0;
    DWORD result = ras.EnumConnections(entries.data(), &bytes, &count);
    if (result == ERROR_BUFFER_TOO_SMALL) {
        entries.assign(bytes / sizeof(RasConnectionEntry) + 1, RasConnectionEntry{});
        entries[0].dwSize = sizeof(RasConnectionEntry);
        bytes = static_cast<DWORD>(entries.size() * sizeof(RasConnectionEntry));
        count = 0;
        result = ras.EnumConnections(entries.data(), &bytes, &count);
    }
    if (result != 0)
        return 0;

    HRASCONN found = nullptr;
    for (DWORD i = 0; i < count && i < entries.size(); ++i) {
        if (::lstrcmpiA(entries[i].szEntryName, entry) == 0)
            found = entries[i].hrasconn;
    }
    if (found == nullptr)
        return 0;
    *connection = found;
    m_status.dwSize = sizeof(m_status);
    if (ras.GetConnectStatus(found, &m_status) != 0)
        return 0;
    return m_status.rasconnstate == RASCS_Connected ? 1 : 0;
}

bool DialUpCommands::HangUpEntry(const RasLibrary& ras, const char* entry, CString& lastError)
{
    // Only a connection of this entry: a handle left from an earlier command
    // of this object may belong to another entry that must stay connected.
    HRASCONN connection = nullptr;
    FindConnection(ras, entry, &connection);
    if (connection == nullptr)
        return true;
    return HangUpConnection(ras, connection, entry, lastError);
}

bool DialUpCommands::HangUpConnection(const RasLibrary& ras, HRASCONN connection,
                                      const char* entry, CString& lastError)
{
    RasConnectionStatus status{};
    status.dwSize = sizeof(status);
    if (ras.GetConnectStatus(connection, &status) == ERROR_INVALID_HANDLE)
        return true;
    ras.HangUp(connection);
    // The library closes the connection in the background; it is gone when
    // the status call no longer knows the handle.
    const DWORD started = ::GetTickCount();
    for (;;) {
        status.dwSize = sizeof(status);
        if (ras.GetConnectStatus(connection, &status) == ERROR_INVALID_HANDLE)
            return true;
        if (Elapsed(started, m_limits.hangUpMilliseconds)) {
            lastError.Format(kHangUpNotFinished, entry,
                             static_cast<long>(m_limits.hangUpMilliseconds / 1000));
            return false;
        }
        DispatchOneMessage();
        ::Sleep(kHangUpPollInterval);
    }
}

DWORD DialUpCommands::DialEntry(const RasLibrary& ras, const char* entry, const char* phoneNumber,
                                const char* user, const char* password, const char* domain)
{
    RasDialParameters parameters{};
    parameters.dwSize = sizeof(parameters);
    CopyField(parameters.szEntryName, sizeof(parameters.szEntryName), entry);
    CopyField(parameters.szPhoneNumber, sizeof(parameters.szPhoneNumber), phoneNumber);
    CopyField(parameters.szUserName, sizeof(parameters.szUserName), user);
    CopyField(parameters.szPassword, sizeof(parameters.szPassword), password);
    CopyField(parameters.szDomain, sizeof(parameters.szDomain), domain);

    m_hConnection = nullptr;
    DWORD result = DialNotifications::Instance().Dial(ras, parameters, &m_hConnection, m_dialError);
    // The library keeps its own copy; ours need not linger in memory.
    ::SecureZeroMemory(&parameters, sizeof(parameters));
    return result;
}

bool DialUpCommands::ConnectionDone(const RasLibrary& ras, bool& connected)
{
    m_status.dwSize = sizeof(m_status);
    DWORD result = ras.GetConnectStatus(m_hConnection, &m_status);
    if (result != 0) {
        m_dialError.Record(result, 0);
        return false;
    }
    if (m_status.rasconnstate == RASCS_Connected) {
        connected = true;
        return true;
    }
    if (m_status.rasconnstate == RASCS_Disconnected) {
        connected = false;
        return true;
    }
    return false;
}

CString DialUpCommands::DialErrorText(const RasLibrary& ras, DWORD error,
                                      DWORD extendedError) const
{
    CString text;
    char buffer[256] = "";
    if (error == 0 || ras.GetErrorString(error, buffer, sizeof(buffer)) != 0)
        text = kNoErrorString;
    else
        text = buffer;
    if (extendedError != 0) {
        CString extended;
        extended.Format(kExtendedErrorCode, static_cast<int>(extendedError));
        text += extended;
    }
    return text;
}

int DialUpCommands::DialUpConnect(const std::vector<CString>& parameters, CString& lastError)
{
    lastError.Empty();
    const RasLibrary* ras = m_bAvailable ? RasLibrary::Bound() : nullptr;
    if (ras == nullptr) {
        lastError = kDialUpNotAvailable;
        return 0;
    }
    if (parameters.empty()) {
        lastError = kInvalidNumberOfParameters;
        return 0;
    }
    const CString entry = parameters[0];
    const CString user = Parameter(parameters, 1);
    const CString password = Parameter(parameters, 2);
    const CString domain = Parameter(parameters, 3);
    const long attempts = LeadingNumber(Parameter(parameters, 4));
    // A text the record cannot hold would dial something else than asked.
    if (entry.IsEmpty() || !Fits(entry, 256) || !Fits(user, 256) || !Fits(password, 256) ||
        !Fits(domain, 15)) {
        lastError = kInvalidParameter;
        return 0;
    }

    HRASCONN existing = nullptr;
    if (FindConnection(*ras, entry, &existing)) {
        m_hConnection = existing;
        return 1;
    }
    if (!HangUpEntry(*ras, entry, lastError))
        return 0;

    m_dialError.Clear();
    long attempt = 1;
    bool dialling = false;
    DWORD dialStarted = 0;
    bool timedOut = false;
    DialRegistration registration;
    for (;;) {
        PumpMessages();
        if (!dialling) {
            DWORD result = DialEntry(*ras, entry, "", user, password, domain);
            registration.Begin(m_hConnection);
            // A dial refused on the spot never notifies: its result is the
            // dial's error.
            if (result != 0)
                m_dialError.Record(result, 0);
            dialling = true;
            dialStarted = ::GetTickCount();
        }
        bool connected = false;
        bool done = ConnectionDone(*ras, connected);
        if (done && !m_dialError.IsSet()) {
            if (connected)
                return 1;
            lastError.Format(kErrorDialUpConnect, kConnectionClosed);
            HangUpEntry(*ras, entry, lastError);
            return 0;
        }
        ::Sleep(kPollInterval);
        if (!m_dialError.IsSet() && Elapsed(dialStarted, m_limits.dialMilliseconds))
            timedOut = true;
        if (!m_dialError.IsSet() && !timedOut)
            continue;

        // This dial failed: report it, hang it up and pause; dial again while
        // dials are left.
        CString reason;
        if (timedOut)
            reason.Format(kNoConnectionInTime, static_cast<long>(m_limits.dialMilliseconds / 1000));
        else
            reason = DialErrorText(*ras, m_dialError.Code(), m_dialError.ExtendedCode());
        lastError.Format(kErrorDialUpConnect, static_cast<const char*>(reason));
        registration.End();
        if (m_hConnection != nullptr &&
            !HangUpConnection(*ras, m_hConnection, entry, lastError))
            return 0;
        if (!HangUpEntry(*ras, entry, lastError))
            return 0;
        ::Sleep(kPauseAfterFailedDial);
        ++attempt;
        dialling = false;
        timedOut = false;
        if (attempt > attempts)
            return 0;
        if (!HangUpEntry(*ras, entry, lastError))
            return 0;
        ::Sleep(kPauseBeforeRedial);
        m_dialError.Clear();
    }
}

int DialUpCommands::DialUpDisConnect(const std::vector<CString>& parameters, CString& lastError)
{
    const RasLibrary* ras = m_bAvailable ? RasLibrary::Bound() : nullptr;
    if (ras == nullptr) {
        lastError = kDialUpNotAvailable;
        return 0;
    }
    if (parameters.size() != 1) {
        lastError = kInvalidNumberOfParameters;
        return 0;
    }
    return HangUpEntry(*ras, parameters[0], lastError) ? 1 : 0;
}

}  // namespace dialup
