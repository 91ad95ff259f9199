// One connection to an SMTP server. Every wait on the network (connecting,
// each reply, each write) ends after the connection's time limit, so a
// silent or stalled server can never hold the caller for longer.
#pragma once

#include <winsock2.h>

#include <memory>
#include <string>
#include <vector>

struct SmtpFailure {
    long code = 0;     // a CSMTP_ERROR_* code, or the server's reply code
    std::string text;  // what failed; for a refusal the server's reply
};

class SmtpConnection {
public:
    ~SmtpConnection();
    SmtpConnection(const SmtpConnection&) = delete;
    SmtpConnection& operator=(const SmtpConnection&) = delete;

    // Connects and reads the server's greeting (a 2xx reply).
    static std::unique_ptr<SmtpConnection> Open(const std::string& server, long port,
                                                long timeout_seconds, SmtpFailure& failure);

    bool Hello(const std::string& client_name, SmtpFailure& failure);
    // MAIL FROM, one RCPT TO per recipient, DATA with the dot-stuffed
    // message; any refusal ends the transaction with the server's reply.
    bool SendMail(const std::string& sender, const std::vector<std::string>& recipients,
                  const std::string& message, SmtpFailure& failure);
    // QUIT, waiting a short while for the reply; the socket is closed by the
    // destructor.
    void Quit();

private:
    struct Reply {
        int code = 0;
        std::string text;  // every line of the reply, joined by blanks
    };

    SmtpConnection(SOCKET socket, long timeout_seconds, std::string peer);

    bool WaitFor(bool for_writing, DWORD milliseconds, SmtpFailure& failure);
    bool WriteAll(const std::string& data, SmtpFailure& failure);
    bool ReadLine(std::string& line, DWORD milliseconds, SmtpFailure& failure);
    bool ReadReply(Reply& reply, DWORD milliseconds, SmtpFailure& failure);
    // Sends a command line (without its CR LF) and reads the reply; a reply
    // outside the expected class (2 for 2xx, 3 for 3xx) is a refusal.
    bool Exchange(const std::string& command, int expected_class, SmtpFailure& failure);

    SOCKET m_socket;
    DWORD m_timeout_ms;
    long m_timeout_seconds;
    std::string m_peer;
    std::string m_received;  // bytes read past the last complete line
    bool m_broken = false;
};
