// The errors of dials. The remote-access library reports a dial's progress
// to a notification routine that receives only the connection's handle, on a
// thread of the library's own; the routine hands each error to the record of
// the dial that handle belongs to, so that dials running side by side (in
// other command objects, on other threads) never see each other's errors.
#pragma once

#include <windows.h>
#include <ras.h>

#include <map>
#include <mutex>
#include <utility>

#include "command/dialup/ras_library.h"

namespace dialup {

// The first error reported during one dial and its extended code.
class DialError {
public:
    // Keeps only the first non-zero error until cleared.
    void Record(DWORD error, DWORD extendedError);
    void Clear();
    bool IsSet() const;
    DWORD Code() const;
    DWORD ExtendedCode() const;

private:
    mutable std::mutex m_lock;
    DWORD m_error = 0;
    DWORD m_extendedError = 0;
};

class DialNotifications {
public:
    static DialNotifications& Instance();

    // RasDialA with the routing notification routine; the dial's errors go
    // to `error` until Forget(*connection). Returns RasDialA's result.
    DWORD Dial(const RasLibrary& ras, RasDialParameters& parameters, HRASCONN* connection,
               DialError& error);
    // The dial is over: its record is no longer reachable.
    void Forget(HRASCONN connection);

private:
    static void WINAPI Notify(HRASCONN connection, UINT message, RASCONNSTATE state, DWORD error,
                              DWORD extendedError);
    void Route(HRASCONN connection, DWORD error, DWORD extendedError);

    // Held while a dial starts, so that a notification from the library's
    // thread waits until the new handle is known; recursive because a library
    // may also notify on the dialling thread before the dial call returns.
    std::recursive_mutex m_lock;
    std::map<HRASCONN, DialError*> m_dials;
    // Errors notified on the dialling thread before its handle was known.
    std::map<HRASCONN, std::pair<DWORD, DWORD>> m_early;
    int m_starting = 0;
};

// The registration of the current dial, ended when the dial is over and on
// every path out of the command.
class DialRegistration {
public:
    DialRegistration() = default;
    ~DialRegistration() { End(); }
    DialRegistration(const DialRegistration&) = delete;
    DialRegistration& operator=(const DialRegistration&) = delete;

    // The dial on this connection was registered by DialNotifications::Dial.
    void Begin(HRASCONN connection)
    {
        End();
        m_connection = connection;
    }
    void End()
    {
        if (m_connection != nullptr)
            DialNotifications::Instance().Forget(m_connection);
        m_connection = nullptr;
    }

private:
    HRASCONN m_connection = nullptr;
};

}  // namespace dialup
