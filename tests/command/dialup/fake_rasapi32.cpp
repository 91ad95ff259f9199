// A fake RASAPI32.DLL for the dial-up tests, loaded in place of Wine's
// (whose calls succeed without doing anything) through a DLL override. Each
// phone-book entry follows the script the test set (fake_ras_control.h); a
// dial runs on a thread of the fake's own and calls the notification routine
// from there, as the real library does.
#include <windows.h>
#include <ras.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "command/dialup/ras_records.h"
#include "fake_ras_control.h"

using dialup::RasConnectionEntry;
using dialup::RasConnectionStatus;
using dialup::RasDialNotification;
using dialup::RasDialParameters;

// Exported under the library's names (fake_rasapi32.def); named apart here
// because <ras.h> declares the real ones with the library's own records.
extern "C" {
DWORD WINAPI FakeRasDial(LPVOID extensions, LPCSTR phoneBook, RasDialParameters* parameters,
                      DWORD notifierType, LPVOID notifier, HRASCONN* connection);
DWORD WINAPI FakeRasEnumConnections(RasConnectionEntry* entries, LPDWORD bytes, LPDWORD count);
DWORD WINAPI FakeRasGetConnectStatus(HRASCONN connection, RasConnectionStatus* status);
DWORD WINAPI FakeRasHangUp(HRASCONN connection);
DWORD WINAPI FakeRasGetErrorString(UINT code, LPSTR text, DWORD size);
void WINAPI FakeRasReset();
void WINAPI FakeRasScript(const char* entry, const char* behaviour, DWORD delay, DWORD count);
LONG WINAPI FakeRasDialCount(const char* entry);
LONG WINAPI FakeRasDialTimes(const char* entry, DWORD* ticks, LONG max);
LONG WINAPI FakeRasHangUpCount(const char* entry);
BOOL WINAPI FakeRasIsActive(const char* entry);
BOOL WINAPI FakeRasLastDial(const char* entry, FakeRasDialRecord* record);
LONG WINAPI FakeRasProtocolErrors();
}

namespace {

const DWORD kErrorLineBusy = 676;
const DWORD kErrorAuthentication = 691;
const DWORD kErrorNoEntry = 623;
const DWORD kErrorWithoutText = 4321;
const DWORD kHangUpTakes = 200;  // ms before a hung-up connection is gone
const UINT kDialEvent = 0xCCCD;  // WM_RASDIALEVENT

struct Script {
    std::string behaviour = "refuse";
    DWORD delay = 0;
    DWORD count = 0;
    std::vector<DWORD> dials;  // tick of each dial
    LONG hangUps = 0;
    FakeRasDialRecord lastDial{};
};

struct Connection {
    std::string entry;
    RASCONNSTATE state = RASCS_OpenPort;
    DWORD error = 0;
    bool stuck = false;
    bool hungUp = false;
    DWORD goneAt = 0;
};

std::mutex g_lock;
std::map<std::string, Script> g_scripts;  // by entry name in lower case
std::map<HRASCONN, Connection> g_connections;
ULONG_PTR g_nextHandle = 0x100;
LONG g_protocolErrors = 0;

std::string Key(const char* entry)
{
    std::string key = entry != nullptr ? entry : "";
    if (!key.empty())
        ::CharLowerBuffA(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

HRASCONN NewConnection(const std::string& entry, RASCONNSTATE state, bool stuck)
{
    HRASCONN handle = reinterpret_cast<HRASCONN>(g_nextHandle++);
    Connection connection;
    connection.entry = entry;
    connection.state = state;
    connection.stuck = stuck;
    g_connections[handle] = connection;
    return handle;
}

// Connections whose hang-up has finished are forgotten.
void Purge()
{
    DWORD now = ::GetTickCount();
    for (auto it = g_connections.begin(); it != g_connections.end();) {
        const Connection& connection = it->second;
        if (connection.hungUp && !connection.stuck && static_cast<LONG>(now - connection.goneAt) >= 0)
            it = g_connections.erase(it);
        else
            ++it;
    }
}

struct DialJob {
    HRASCONN handle;
    RasDialNotification notifier;
    std::string behaviour;
    DWORD delay;
};

DWORD WINAPI RunDial(LPVOID parameter)
{
    std::unique_ptr<DialJob> job(static_cast<DialJob*>(parameter));
    ::Sleep(job->delay);
    RASCONNSTATE state;
    DWORD error = 0;
    DWORD extended = 0;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto found = g_connections.find(job->handle);
        if (found == g_connections.end() || found->second.hungUp)
            return 0;
        Connection& connection = found->second;
        if (job->behaviour == "connect") {
            connection.state = RASCS_Connected;
        } else if (job->behaviour == "drop") {
            connection.state = RASCS_Disconnected;
        } else if (job->behaviour == "never") {
            return 0;
        } else {
            connection.state = RASCS_ConnectDevice;
            if (job->behaviour == "busy")
                error = kErrorLineBusy;
            else if (job->behaviour == "auth") {
                error = kErrorAuthentication;
                extended = 5;
            } else
                error = kErrorWithoutText;
            connection.error = error;
        }
        state = connection.state;
    }
    job->notifier(job->handle, kDialEvent, state, error, extended);
    return 0;
}

void CopyText(char* field, size_t size, const char* text)
{
    std::strncpy(field, text, size - 1);
    field[size - 1] = '\0';
}

}  // namespace

DWORD WINAPI FakeRasDial(LPVOID extensions, LPCSTR phoneBook, RasDialParameters* parameters,
                      DWORD notifierType, LPVOID notifier, HRASCONN* connection)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (parameters == nullptr || connection == nullptr ||
        parameters->dwSize != sizeof(RasDialParameters) || notifierType != 1 || notifier == nullptr ||
        extensions != nullptr) {
        ++g_protocolErrors;
        return ERROR_INVALID_PARAMETER;
    }
    *connection = nullptr;
    Script& script = g_scripts[Key(parameters->szEntryName)];
    script.dials.push_back(::GetTickCount());
    FakeRasDialRecord& record = script.lastDial;
    CopyText(record.phoneNumber, sizeof(record.phoneNumber), parameters->szPhoneNumber);
    CopyText(record.callbackNumber, sizeof(record.callbackNumber), parameters->szCallbackNumber);
    CopyText(record.userName, sizeof(record.userName), parameters->szUserName);
    CopyText(record.password, sizeof(record.password), parameters->szPassword);
    CopyText(record.domain, sizeof(record.domain), parameters->szDomain);
    record.phoneBookWasNull = phoneBook == nullptr;
    record.notifierType = notifierType;

    std::string behaviour = script.behaviour;
    if (behaviour == "busy-then-connect")
        behaviour = script.dials.size() <= script.count ? "busy" : "connect";
    if (behaviour == "refuse" || behaviour == "connected" || behaviour == "stuck")
        return kErrorNoEntry;

    *connection = NewConnection(parameters->szEntryName, RASCS_OpenPort, false);
    auto* job = new DialJob{*connection, reinterpret_cast<RasDialNotification>(notifier), behaviour,
                            script.delay};
    HANDLE thread = ::CreateThread(nullptr, 0, RunDial, job, 0, nullptr);
    if (thread == nullptr) {
        delete job;
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    ::CloseHandle(thread);
    return 0;
}

DWORD WINAPI FakeRasEnumConnections(RasConnectionEntry* entries, LPDWORD bytes, LPDWORD count)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (entries == nullptr || bytes == nullptr || count == nullptr ||
        entries[0].dwSize != sizeof(RasConnectionEntry)) {
        ++g_protocolErrors;
        return ERROR_INVALID_SIZE;
    }
    Purge();
    std::vector<std::pair<HRASCONN, const Connection*>> active;
    for (const auto& connection : g_connections)
        active.emplace_back(connection.first, &connection.second);
    DWORD needed = static_cast<DWORD>(active.size() * sizeof(RasConnectionEntry));
    *count = static_cast<DWORD>(active.size());
    if (*bytes < needed) {
        *bytes = needed;
        return ERROR_BUFFER_TOO_SMALL;
    }
    for (size_t i = 0; i < active.size(); ++i) {
        RasConnectionEntry& entry = entries[i];
        std::memset(&entry, 0, sizeof(entry));
        entry.dwSize = sizeof(entry);
        entry.hrasconn = active[i].first;
        CopyText(entry.szEntryName, sizeof(entry.szEntryName), active[i].second->entry.c_str());
        CopyText(entry.szDeviceType, sizeof(entry.szDeviceType), "modem");
    }
    *bytes = needed;
    return 0;
}

DWORD WINAPI FakeRasGetConnectStatus(HRASCONN connection, RasConnectionStatus* status)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (status == nullptr || status->dwSize != sizeof(RasConnectionStatus)) {
        ++g_protocolErrors;
        return ERROR_INVALID_SIZE;
    }
    Purge();
    auto found = g_connections.find(connection);
    if (found == g_connections.end())
        return ERROR_INVALID_HANDLE;
    status->rasconnstate = found->second.state;
    status->dwError = found->second.error;
    CopyText(status->szDeviceType, sizeof(status->szDeviceType), "modem");
    CopyText(status->szDeviceName, sizeof(status->szDeviceName), "Fake Modem");
    return 0;
}

DWORD WINAPI FakeRasHangUp(HRASCONN connection)
{
    std::lock_guard<std::mutex> guard(g_lock);
    Purge();
    auto found = g_connections.find(connection);
    if (found == g_connections.end())
        return ERROR_INVALID_HANDLE;
    Connection& target = found->second;
    if (!target.hungUp) {
        target.hungUp = true;
        target.goneAt = ::GetTickCount() + kHangUpTakes;
        ++g_scripts[Key(target.entry.c_str())].hangUps;
    }
    return 0;
}

DWORD WINAPI FakeRasGetErrorString(UINT code, LPSTR text, DWORD size)
{
    const char* message = nullptr;
    switch (code) {
    case kErrorLineBusy: message = kFakeLineBusyText; break;
    case kErrorAuthentication: message = kFakeAuthenticationText; break;
    case kErrorNoEntry: message = kFakeNoEntryText; break;
    default: return ERROR_INVALID_PARAMETER;
    }
    if (text == nullptr || size <= std::strlen(message))
        return ERROR_INSUFFICIENT_BUFFER;
    std::strcpy(text, message);
    return 0;
}

void WINAPI FakeRasReset()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_scripts.clear();
    g_connections.clear();
    g_protocolErrors = 0;
}

void WINAPI FakeRasScript(const char* entry, const char* behaviour, DWORD delay, DWORD count)
{
    std::lock_guard<std::mutex> guard(g_lock);
    Script& script = g_scripts[Key(entry)];
    script.behaviour = behaviour;
    script.delay = delay;
    script.count = count;
    if (script.behaviour == "connected" || script.behaviour == "stuck")
        NewConnection(entry, RASCS_Connected, script.behaviour == "stuck");
}

LONG WINAPI FakeRasDialCount(const char* entry)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<LONG>(g_scripts[Key(entry)].dials.size());
}

LONG WINAPI FakeRasDialTimes(const char* entry, DWORD* ticks, LONG max)
{
    std::lock_guard<std::mutex> guard(g_lock);
    const std::vector<DWORD>& dials = g_scripts[Key(entry)].dials;
    LONG n = 0;
    for (; n < max && n < static_cast<LONG>(dials.size()); ++n)
        ticks[n] = dials[n];
    return n;
}

LONG WINAPI FakeRasHangUpCount(const char* entry)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_scripts[Key(entry)].hangUps;
}

BOOL WINAPI FakeRasIsActive(const char* entry)
{
    std::lock_guard<std::mutex> guard(g_lock);
    Purge();
    std::string key = Key(entry);
    for (const auto& connection : g_connections) {
        if (Key(connection.second.entry.c_str()) == key)
            return TRUE;
    }
    return FALSE;
}

BOOL WINAPI FakeRasLastDial(const char* entry, FakeRasDialRecord* record)
{
    std::lock_guard<std::mutex> guard(g_lock);
    const Script& script = g_scripts[Key(entry)];
    if (script.dials.empty())
        return FALSE;
    *record = script.lastDial;
    return TRUE;
}

LONG WINAPI FakeRasProtocolErrors()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_protocolErrors;
}
