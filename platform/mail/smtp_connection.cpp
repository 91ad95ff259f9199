#include "platform/mail/smtp_connection.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/mail/csmtpl32.h"
#include "platform/mail/smtp_addresses.h"

namespace {

// A reply longer than this is not an SMTP reply; reading stops there rather
// than growing without end.
const size_t kMaxReplyBytes = 64 * 1024;
// QUIT is a courtesy: its reply is not worth the whole time limit.
const DWORD kQuitWaitMs = 5000;

std::string SocketErrorText(int error)
{
    switch (error) {
    case WSAECONNREFUSED: return "connection refused";
    case WSAETIMEDOUT: return "connection timed out";
    case WSAEHOSTUNREACH: return "host unreachable";
    case WSAENETUNREACH: return "network unreachable";
    case WSAECONNRESET: return "connection reset by the server";
    case WSAECONNABORTED: return "connection aborted";
    case WSAENETDOWN: return "network is down";
    case WSAEADDRNOTAVAIL: return "address not available";
    default: {
        char text[48];
        std::snprintf(text, sizeof(text), "socket error %d", error);
        return text;
    }
    }
}

bool Fail(SmtpFailure& failure, long code, std::string text)
{
    failure.code = code;
    failure.text = std::move(text);
    return false;
}

class AddressList {
public:
    explicit AddressList(addrinfo* list) : m_list(list) {}
    ~AddressList()
    {
        if (m_list != nullptr)
            ::freeaddrinfo(m_list);
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    addrinfo* get() const { return m_list; }

private:
    addrinfo* m_list;
};

class OwnedSocket {
public:
    explicit OwnedSocket(SOCKET socket) : m_socket(socket) {}
    ~OwnedSocket()
    {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
    }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    SOCKET get() const { return m_socket; }
    SOCKET release()
    {
        SOCKET socket = m_socket;
        m_socket = INVALID_SOCKET;
        return socket;
    }

private:
    SOCKET m_socket;
};

// Connects one address without blocking for longer than the time left.
// Returns 0 and the connected (non-blocking) socket, or the socket error.
int ConnectAddress(const addrinfo& address, DWORD milliseconds, SOCKET& connected)
{
    OwnedSocket socket(::socket(address.ai_family, address.ai_socktype, address.ai_protocol));
    if (socket.get() == INVALID_SOCKET)
        return ::WSAGetLastError();
    u_long non_blocking = 1;
    if (::ioctlsocket(socket.get(), FIONBIO, &non_blocking) != 0)
        return ::WSAGetLastError();
    if (::connect(socket.get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
        int error = ::WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            return error;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket.get(), &writable);
        FD_SET(socket.get(), &failed);
        timeval limit = {static_cast<long>(milliseconds / 1000),
                         static_cast<long>(milliseconds % 1000) * 1000};
        int ready = ::select(0, nullptr, &writable, &failed, &limit);
        if (ready == 0)
            return WSAETIMEDOUT;
        if (ready == SOCKET_ERROR)
            return ::WSAGetLastError();
        int socket_error = 0;
        int length = sizeof(socket_error);
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR,
                         reinterpret_cast<char*>(&socket_error), &length) != 0)
            return ::WSAGetLastError();
        if (socket_error != 0)
            return socket_error;
        if (FD_ISSET(socket.get(), &failed))
            return WSAECONNREFUSED;
    }
    connected = socket.release();
    return 0;
}

}  // namespace

SmtpConnection::SmtpConnection(SOCKET socket, long timeout_seconds, std::string peer)
    : m_socket(socket),
      m_timeout_ms(static_cast<DWORD>(timeout_seconds) * 1000),
      m_timeout_seconds(timeout_seconds),
      m_peer(std::move(peer))
{
}

SmtpConnection::~SmtpConnection()
{
    ::closesocket(m_socket);
}

std::unique_ptr<SmtpConnection> SmtpConnection::Open(const std::string& server, long port,
                                                     long timeout_seconds, SmtpFailure& failure)
{
    char port_text[16];
    std::snprintf(port_text, sizeof(port_text), "%ld", port);
    std::string peer = server + " port " + port_text;

    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    int resolve_error = ::getaddrinfo(server.c_str(), port_text, &hints, &found);
    AddressList addresses(found);
    if (resolve_error != 0 || found == nullptr) {
        Fail(failure, CSMTP_ERROR_HOST_NOT_FOUND, "Unable to find the server " + server);
        return nullptr;
    }

    // Every address of the name shares one time limit.
    const DWORD limit_ms = static_cast<DWORD>(timeout_seconds) * 1000;
    const DWORD started = ::GetTickCount();
    int last_error = WSAETIMEDOUT;
    for (addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        DWORD spent = ::GetTickCount() - started;
        if (spent >= limit_ms)
            break;
        SOCKET connected = INVALID_SOCKET;
        last_error = ConnectAddress(*address, limit_ms - spent, connected);
        if (last_error != 0)
            continue;
        std::unique_ptr<SmtpConnection> connection(
            new SmtpConnection(connected, timeout_seconds, peer));
        Reply greeting;
        if (!connection->ReadReply(greeting, connection->m_timeout_ms, failure))
            return nullptr;
        if (greeting.code / 100 != 2) {
            Fail(failure, greeting.code, greeting.text);
            return nullptr;
        }
        return connection;
    }
    long code = last_error == WSAETIMEDOUT ? CSMTP_ERROR_TIMEOUT : CSMTP_ERROR_CONNECT;
    Fail(failure, code, "Unable to connect to " + peer + ": " + SocketErrorText(last_error));
    return nullptr;
}

bool SmtpConnection::WaitFor(bool for_writing, DWORD milliseconds, SmtpFailure& failure)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_socket, &set);
    timeval limit = {static_cast<long>(milliseconds / 1000),
                     static_cast<long>(milliseconds % 1000) * 1000};
    int ready = for_writing ? ::select(0, nullptr, &set, nullptr, &limit)
                            : ::select(0, &set, nullptr, nullptr, &limit);
    if (ready > 0)
        return true;
    m_broken = true;
    if (ready == 0) {
        char text[96];
        std::snprintf(text, sizeof(text), " did not answer within %ld seconds",
                      m_timeout_seconds);
        return Fail(failure, CSMTP_ERROR_TIMEOUT, "The server " + m_peer + text);
    }
    return Fail(failure, CSMTP_ERROR_CONNECTION_LOST,
                "Connection to " + m_peer + " lost: " + SocketErrorText(::WSAGetLastError()));
}

bool SmtpConnection::WriteAll(const std::string& data, SmtpFailure& failure)
{
    if (m_broken)
        return Fail(failure, CSMTP_ERROR_CONNECTION_LOST, "Connection to " + m_peer + " lost");
    size_t done = 0;
    while (done < data.size()) {
        int chunk = static_cast<int>(std::min<size_t>(data.size() - done, 64 * 1024));
        int sent = ::send(m_socket, data.data() + done, chunk, 0);
        if (sent > 0) {
            done += static_cast<size_t>(sent);
            continue;
        }
        int error = ::WSAGetLastError();
        if (sent == SOCKET_ERROR && error == WSAEWOULDBLOCK) {
            if (!WaitFor(true, m_timeout_ms, failure))
                return false;
            continue;
        }
        m_broken = true;
        return Fail(failure, CSMTP_ERROR_CONNECTION_LOST,
                    "Connection to " + m_peer + " lost: " + SocketErrorText(error));
    }
    return true;
}

bool SmtpConnection::ReadLine(std::string& line, DWORD milliseconds, SmtpFailure& failure)
{
    for (;;) {
        size_t end = m_received.find('\n');
        if (end != std::string::npos) {
            line = m_received.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            m_received.erase(0, end + 1);
            return true;
        }
        if (m_received.size() > kMaxReplyBytes) {
            m_broken = true;
            return Fail(failure, CSMTP_ERROR_PROTOCOL, "The server " + m_peer +
                                                           " sent a reply that is too long");
        }
        if (m_broken)
            return Fail(failure, CSMTP_ERROR_CONNECTION_LOST, "Connection to " + m_peer + " lost");
        if (!WaitFor(false, milliseconds, failure))
            return false;
        char buffer[4096];
        int received = ::recv(m_socket, buffer, sizeof(buffer), 0);
        if (received > 0) {
            m_received.append(buffer, static_cast<size_t>(received));
            continue;
        }
        int error = received == 0 ? 0 : ::WSAGetLastError();
        if (received == SOCKET_ERROR && error == WSAEWOULDBLOCK)
            continue;
        m_broken = true;
        return Fail(failure, CSMTP_ERROR_CONNECTION_LOST,
                    "Connection to " + m_peer +
                        (received == 0 ? std::string(" closed by the server")
                                       : " lost: " + SocketErrorText(error)));
    }
}

bool SmtpConnection::ReadReply(Reply& reply, DWORD milliseconds, SmtpFailure& failure)
{
    reply = Reply();
    size_t total = 0;
    for (;;) {
        std::string line;
        if (!ReadLine(line, milliseconds, failure))
            return false;
        total += line.size();
        bool well_formed = line.size() >= 3 && isdigit(static_cast<unsigned char>(line[0])) &&
                           isdigit(static_cast<unsigned char>(line[1])) &&
                           isdigit(static_cast<unsigned char>(line[2])) &&
                           (line.size() == 3 || line[3] == ' ' || line[3] == '-');
        if (!well_formed || total > kMaxReplyBytes) {
            m_broken = true;
            return Fail(failure, CSMTP_ERROR_PROTOCOL,
                        "Unexpected reply from " + m_peer + ": " + line.substr(0, 80));
        }
        int code = std::atoi(line.substr(0, 3).c_str());
        if (reply.text.empty())
            reply.text = line.substr(0, 3);
        if (line.size() > 4)
            reply.text += " " + line.substr(4);
        reply.code = code;
        if (line.size() == 3 || line[3] == ' ')
            return true;
    }
}

bool SmtpConnection::Exchange(const std::string& command, int expected_class,
                              SmtpFailure& failure)
{
    if (!WriteAll(command + "\r\n", failure))
        return false;
    Reply reply;
    if (!ReadReply(reply, m_timeout_ms, failure))
        return false;
    if (reply.code / 100 != expected_class)
        return Fail(failure, reply.code, reply.text);
    return true;
}

bool SmtpConnection::Hello(const std::string& client_name, SmtpFailure& failure)
{
    return Exchange("HELO " + client_name, 2, failure);
}

bool SmtpConnection::SendMail(const std::string& sender,
                              const std::vector<std::string>& recipients,
                              const std::string& message, SmtpFailure& failure)
{
    if (!Exchange("MAIL FROM:<" + sender + ">", 2, failure))
        return false;
    for (const std::string& recipient : recipients) {
        if (!Exchange("RCPT TO:<" + recipient + ">", 2, failure))
            return false;
    }
    if (!Exchange("DATA", 3, failure))
        return false;
    if (!WriteAll(smtp::DataText(message), failure))
        return false;
    Reply reply;
    if (!ReadReply(reply, m_timeout_ms, failure))
        return false;
    if (reply.code / 100 != 2)
        return Fail(failure, reply.code, reply.text);
    return true;
}

void SmtpConnection::Quit()
{
    if (m_broken)
        return;
    SmtpFailure ignored;
    if (!WriteAll("QUIT\r\n", ignored))
        return;
    Reply reply;
    ReadReply(reply, std::min(m_timeout_ms, kQuitWaitMs), ignored);
}
