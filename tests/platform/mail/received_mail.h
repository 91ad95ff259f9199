// What the tests' SMTP server (with-smtp-server.sh, smtp_recorder.py)
// received, as its recording handler summarised it after parsing each
// message with Python's own e-mail package.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct ReceivedMail {
    std::string helo;
    std::string mail_from;
    std::vector<std::string> recipients;                        // RCPT TO, in order
    std::vector<std::pair<std::string, std::string>> headers;  // decoded, in order
    std::vector<std::pair<std::string, std::string>> raw_headers;  // as written, unfolded
    std::string content_type;
    std::string body;  // UTF-8, line ends as LF
    std::vector<std::pair<std::string, std::string>> attachments;  // name, bytes
    int defects = -1;

    // The decoded value of the first header of that name (any case); empty
    // when there is none. `count` receives how many there are.
    std::string Header(const std::string& name, int* count = nullptr) const;
    // The first header of that name as it was written (unfolded).
    std::string RawHeader(const std::string& name) const;
};

// The loopback address the test server of this run listens on
// (TARVEX_SMTP_HOST), empty when unset.
std::string TestSmtpHost();
// The port it listens on (TARVEX_SMTP_PORT), 0 when unset.
int TestSmtpPort();

// Every message the server accepted so far, in the order received.
std::vector<ReceivedMail> ReadReceivedMail();

// Deletes every recorded message, so that a test sees only its own.
void ClearReceivedMail();

// Text in the ANSI code page as UTF-8, to compare with what the server decoded.
std::string AnsiToUtf8(const std::string& ansi);
