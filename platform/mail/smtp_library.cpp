// Entry points of CSMTPL32.dll, exported by ordinal through csmtpl32.def.
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include "platform/mail/csmtpl32.h"
#include "platform/mail/handle_table.h"
#include "platform/mail/library_failure.h"
#include "platform/mail/smtp_addresses.h"
#include "platform/mail/smtp_connection.h"

using mail_library::RecordFailure;

extern "C" {
BOOL WINAPI CsSmtpInitialize(CSMTP_SESSION* session);
void WINAPI CsSmtpRelease(CSMTP_SESSION* session);
LONG WINAPI CsSmtpConnect(CSMTP_SESSION* session, LPCSTR server, LONG port,
                          LONG timeout_seconds);
BOOL WINAPI CsSmtpHello(CSMTP_SESSION* session, LONG connection, LPCSTR client_name,
                        LONG reserved);
BOOL WINAPI CsSmtpSendMessageFile(CSMTP_SESSION* session, LONG connection, LPCSTR sender,
                                  LPCSTR recipients, LPCSTR path);
BOOL WINAPI CsSmtpDisconnect(CSMTP_SESSION* session, LONG connection);
LONG WINAPI CsSmtpGetLastError(void);
BOOL WINAPI CsSmtpGetErrorText(LONG code, LPSTR buffer, LONG size);
}

// The exports must keep the shapes callers bind them with.
static_assert(std::is_same_v<decltype(&CsSmtpInitialize), CSMTP_INITIALIZE>);
static_assert(std::is_same_v<decltype(&CsSmtpRelease), CSMTP_RELEASE>);
static_assert(std::is_same_v<decltype(&CsSmtpConnect), CSMTP_CONNECT>);
static_assert(std::is_same_v<decltype(&CsSmtpHello), CSMTP_HELLO>);
static_assert(std::is_same_v<decltype(&CsSmtpSendMessageFile), CSMTP_SEND_MESSAGE_FILE>);
static_assert(std::is_same_v<decltype(&CsSmtpDisconnect), CSMTP_DISCONNECT>);
static_assert(std::is_same_v<decltype(&CsSmtpGetLastError), CSMTP_LAST_ERROR>);
static_assert(std::is_same_v<decltype(&CsSmtpGetErrorText), CSMTP_ERROR_TEXT>);

namespace {

// A message file larger than this is not one the message library wrote.
const LONGLONG kMaxMessageBytes = 128LL * 1024 * 1024;
// A day: anything longer is a caller's mistake, not a time limit.
const LONG kMaxTimeoutSeconds = 24 * 60 * 60;

constexpr mail_library::HandleKind kConnections{CSMTP_ERROR_NOT_INITIALIZED, "transport",
                                                CSMTP_ERROR_INVALID_CONNECTION, "connection"};
using Connections = mail_library::HandleTable<SmtpConnection, kConnections>;

bool RecordSmtpFailure(const SmtpFailure& failure)
{
    return RecordFailure(failure.code, "%s", failure.text.c_str());
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

bool ReadMessageFile(const char* path, std::string& content)
{
    FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return RecordFailure(CSMTP_ERROR_MESSAGE_FILE, "Unable to open the message file %s (error %lu)",
                             path, ::GetLastError());
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxMessageBytes)
        return RecordFailure(CSMTP_ERROR_MESSAGE_FILE, "Unable to read the message file %s", path);
    content.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), &content[done], static_cast<DWORD>(content.size() - done),
                        &read, nullptr))
            return RecordFailure(CSMTP_ERROR_MESSAGE_FILE,
                                 "Unable to read the message file %s (error %lu)", path,
                                 ::GetLastError());
        if (read == 0)
            break;
        done += read;
    }
    content.resize(done);
    return true;
}

std::string ComputerName()
{
    char name[256];
    DWORD size = sizeof(name);
    if (::GetComputerNameExA(ComputerNameDnsHostname, name, &size) && size > 0)
        return std::string(name, size);
    return "localhost";
}

const char* GenericText(LONG code)
{
    switch (code) {
    case CSMTP_ERROR_NONE: return "No error";
    case CSMTP_ERROR_NOT_INITIALIZED: return "The transport library is not initialised";
    case CSMTP_ERROR_INVALID_CONNECTION: return "Invalid connection handle";
    case CSMTP_ERROR_INVALID_ARGUMENT: return "Invalid argument";
    case CSMTP_ERROR_NETWORK: return "The network is not available";
    case CSMTP_ERROR_HOST_NOT_FOUND: return "Unable to find the server";
    case CSMTP_ERROR_CONNECT: return "Unable to connect to the server";
    case CSMTP_ERROR_TIMEOUT: return "The server did not answer in time";
    case CSMTP_ERROR_CONNECTION_LOST: return "The connection to the server was lost";
    case CSMTP_ERROR_PROTOCOL: return "Unexpected reply from the server";
    case CSMTP_ERROR_MESSAGE_FILE: return "Unable to read the message file";
    case CSMTP_ERROR_NO_RECIPIENTS: return "No recipients";
    case CSMTP_ERROR_INVALID_ADDRESS: return "Invalid mail address";
    case CSMTP_ERROR_OUT_OF_MEMORY: return "Out of memory";
    default:
        if (code >= 400 && code <= 599)
            return "The server refused the mail";
        return nullptr;
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return mail_library::StartFailureRecords() ? TRUE : FALSE;
    case DLL_THREAD_DETACH:
        mail_library::ReleaseThreadFailure();
        break;
    case DLL_PROCESS_DETACH:
        mail_library::StopFailureRecords();
        break;
    }
    return TRUE;
}

BOOL WINAPI CsSmtpInitialize(CSMTP_SESSION* session)
{
    if (session == nullptr)
        return RecordFailure(CSMTP_ERROR_INVALID_ARGUMENT, "No session block");
    WSADATA data;
    int error = ::WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0)
        return RecordFailure(CSMTP_ERROR_NETWORK, "The network is not available (error %d)", error);
    if (!Connections::Attach(session, CSMTP_ERROR_OUT_OF_MEMORY)) {
        ::WSACleanup();
        return FALSE;
    }
    return TRUE;
}

void WINAPI CsSmtpRelease(CSMTP_SESSION* session)
{
    if (session == nullptr || session->state == nullptr)
        return;
    Connections::Of(session)->ForEach([](SmtpConnection& connection) { connection.Quit(); });
    Connections::Detach(session);
    ::WSACleanup();
}

LONG WINAPI CsSmtpConnect(CSMTP_SESSION* session, LPCSTR server, LONG port, LONG timeout_seconds)
{
    Connections* connections = Connections::Of(session);
    if (connections == nullptr)
        return -1;
    if (server == nullptr || *server == '\0') {
        RecordFailure(CSMTP_ERROR_INVALID_ARGUMENT, "No mail server named");
        return -1;
    }
    if (port <= 0 || port > 65535 || timeout_seconds <= 0 || timeout_seconds > kMaxTimeoutSeconds) {
        RecordFailure(CSMTP_ERROR_INVALID_ARGUMENT, "Invalid port %ld or time-out %ld", port,
                      timeout_seconds);
        return -1;
    }
    try {
        SmtpFailure failure;
        std::unique_ptr<SmtpConnection> connection =
            SmtpConnection::Open(server, port, timeout_seconds, failure);
        if (!connection) {
            RecordSmtpFailure(failure);
            return -1;
        }
        return connections->Add(std::move(connection));
    } catch (const std::bad_alloc&) {
        RecordFailure(CSMTP_ERROR_OUT_OF_MEMORY, "Out of memory");
        return -1;
    }
}

BOOL WINAPI CsSmtpHello(CSMTP_SESSION* session, LONG connection, LPCSTR client_name,
                        LONG reserved)
{
    SmtpConnection* target = Connections::Find(session, connection);
    if (target == nullptr)
        return FALSE;
    if (reserved != 0)
        return RecordFailure(CSMTP_ERROR_INVALID_ARGUMENT, "Reserved argument must be 0");
    std::string name = client_name != nullptr && *client_name != '\0' ? client_name : ComputerName();
    for (unsigned char ch : name) {
        if (ch <= 32 || ch >= 127)
            return RecordFailure(CSMTP_ERROR_INVALID_ARGUMENT, "Invalid client name");
    }
    SmtpFailure failure;
    if (!target->Hello(name, failure))
        return RecordSmtpFailure(failure);
    return TRUE;
}

BOOL WINAPI CsSmtpSendMessageFile(CSMTP_SESSION* session, LONG connection, LPCSTR sender,
                                  LPCSTR recipients, LPCSTR path)
{
    SmtpConnection* target = Connections::Find(session, connection);
    if (target == nullptr)
        return FALSE;
    if (path == nullptr || *path == '\0')
        return RecordFailure(CSMTP_ERROR_MESSAGE_FILE, "No message file named");
    try {
        std::string sender_address;
        if (!smtp::MailboxAddress(sender != nullptr ? sender : "", sender_address))
            return RecordFailure(CSMTP_ERROR_INVALID_ADDRESS, "Invalid sender address: %s", sender);
        std::vector<std::string> addresses;
        for (const std::string& entry : smtp::SplitRecipients(recipients != nullptr ? recipients : "")) {
            std::string address;
            if (!smtp::MailboxAddress(entry, address) || address.empty())
                return RecordFailure(CSMTP_ERROR_INVALID_ADDRESS, "Invalid recipient address: %s",
                                     entry.c_str());
            addresses.push_back(address);
        }
        if (addresses.empty())
            return RecordFailure(CSMTP_ERROR_NO_RECIPIENTS, "No recipients");
        std::string message;
        if (!ReadMessageFile(path, message))
            return FALSE;
        SmtpFailure failure;
        if (!target->SendMail(sender_address, addresses, message, failure))
            return RecordSmtpFailure(failure);
        return TRUE;
    } catch (const std::bad_alloc&) {
        return RecordFailure(CSMTP_ERROR_OUT_OF_MEMORY, "Out of memory sending %s", path);
    }
}

BOOL WINAPI CsSmtpDisconnect(CSMTP_SESSION* session, LONG connection)
{
    Connections* connections = Connections::Of(session);
    SmtpConnection* target = connections != nullptr ? connections->Find(connection) : nullptr;
    if (target == nullptr)
        return FALSE;
    target->Quit();
    connections->Remove(connection);
    return TRUE;
}

LONG WINAPI CsSmtpGetLastError(void)
{
    return mail_library::LastFailureCode();
}

BOOL WINAPI CsSmtpGetErrorText(LONG code, LPSTR buffer, LONG size)
{
    return mail_library::CopyFailureText(code, GenericText(code), buffer, size);
}
