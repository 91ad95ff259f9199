// The dial-up commands, DialUpConnect and DialUpDisConnect, with the dial-up
// state one command object keeps for them. The object is made with the
// command object: it loads RASAPI32.DLL then and keeps it while it lives,
// and without it both commands only report "Dial-Up Networking not available".
#pragma once

#include <windows.h>
#include <ras.h>

#include <vector>

#include "command/dialup/dial_error.h"
#include "command/dialup/ras_library.h"
#include "command/dialup/ras_records.h"
#include "platform/framework/string.h"

namespace dialup {

// How long the waits of the commands may last.
struct DialUpLimits {
    // One dial, from the dial call until the connection is made or fails;
    // a dial still pending then counts as a failed dial.
    DWORD dialMilliseconds = 180 * 1000;
    // One hang-up, until the library no longer knows the connection.
    DWORD hangUpMilliseconds = 30 * 1000;
};

class DialUpCommands {
public:
    explicit DialUpCommands(const DialUpLimits& limits = DialUpLimits());
    DialUpCommands(const DialUpCommands&) = delete;
    DialUpCommands& operator=(const DialUpCommands&) = delete;

    // RASAPI32.DLL could be loaded when the object was made.
    bool IsAvailable() const { return m_bAvailable; }

    // Parameters as the line parser cut them: phone-book entry, user name,
    // password, domain, number of dials (0 or 1: one dial). Returns 1 when
    // the entry is connected (already, or by one of the dials), else 0 with
    // the reason in lastError (which is emptied first).
    int DialUpConnect(const std::vector<CString>& parameters, CString& lastError);
    // Parameter: phone-book entry. Returns 1 when the entry is no longer
    // connected, else 0 with the reason in lastError.
    int DialUpDisConnect(const std::vector<CString>& parameters, CString& lastError);

private:
    // 1 when an active connection of the entry (any case) is in the
    // connected state; its handle (the last one listed) goes to *connection,
    // which is left alone when the entry has none.
    int FindConnection(const RasLibrary& ras, const char* entry, HRASCONN* connection);
    // Hangs up the entry's connection, if it has one, and waits until it is
    // gone. False with the reason in lastError when it stays.
    bool HangUpEntry(const RasLibrary& ras, const char* entry, CString& lastError);
    bool HangUpConnection(const RasLibrary& ras, HRASCONN connection, const char* entry,
                          CString& lastError);
    // Starts one asynchronous dial; the new connection's handle goes to the
    // state. RasDialA's own result.
    DWORD DialEntry(const RasLibrary& ras, const char* entry, const char* phoneNumber,
                    const char* user, const char* password, const char* domain);
    // True once the dial has ended: connected (connected = true) or
    // disconnected (false). A status that cannot be read is the dial's error.
    bool ConnectionDone(const RasLibrary& ras, bool& connected);
    CString DialErrorText(const RasLibrary& ras, DWORD error, DWORD extendedError) const;

    DialUpLimits m_limits;
    RasLibraryReference m_library;
    bool m_bAvailable;
    // The dial-up state: the connection being dialled, its last status and
    // the errors of the current dial.
    HRASCONN m_hConnection = nullptr;
    RasConnectionStatus m_status{};
    DialError m_dialError;
};

}  // namespace dialup
