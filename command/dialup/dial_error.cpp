#include "command/dialup/dial_error.h"

#include <type_traits>

namespace dialup {

void DialError::Record(DWORD error, DWORD extendedError)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_error == 0 && error != 0) {
        m_error = error;
        m_extendedError = extendedError;
    }
}

void DialError::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_error = 0;
    m_extendedError = 0;
}

bool DialError::IsSet() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_error != 0;
}

DWORD DialError::Code() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_error;
}

DWORD DialError::ExtendedCode() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_extendedError;
}

DialNotifications& DialNotifications::Instance()
{
    static DialNotifications instance;
    return instance;
}

DWORD DialNotifications::Dial(const RasLibrary& ras, RasDialParameters& parameters,
                              HRASCONN* connection, DialError& error)
{
    static_assert(std::is_same_v<decltype(&DialNotifications::Notify), RasDialNotification>,
                  "the notification routine of the first kind");
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    ++m_starting;
    DWORD result = ras.Dial(nullptr, nullptr, &parameters, 1,
                            reinterpret_cast<LPVOID>(&DialNotifications::Notify), connection);
    --m_starting;
    if (*connection != nullptr) {
        m_dials[*connection] = &error;
        auto early = m_early.find(*connection);
        if (early != m_early.end())
            error.Record(early->second.first, early->second.second);
    }
    if (m_starting == 0)
        m_early.clear();
    return result;
}

void DialNotifications::Forget(HRASCONN connection)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_dials.erase(connection);
}

void WINAPI DialNotifications::Notify(HRASCONN connection, UINT, RASCONNSTATE, DWORD error,
                                      DWORD extendedError)
{
    if (error != 0)
        Instance().Route(connection, error, extendedError);
}

void DialNotifications::Route(HRASCONN connection, DWORD error, DWORD extendedError)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto dial = m_dials.find(connection);
    if (dial != m_dials.end())
        dial->second->Record(error, extendedError);
    else if (m_starting > 0)
        m_early.emplace(connection, std::make_pair(error, extendedError));
    // Otherwise the dial is over; a late notification has no one to tell.
}

}  // namespace dialup
