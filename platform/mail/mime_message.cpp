#include "platform/mail/mime_message.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/mail/mime_encoding.h"

namespace {

const size_t kMaxNameLength = 997;

const char* const kCompositionFields[] = {"MIME-Version", "Content-Type",
                                          "Content-Transfer-Encoding"};

bool SameName(const std::string& a, const std::string& b)
{
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// "Tue, 15 Jan 2025 09:05:03 +0100" for the current local time.
std::string CurrentDate()
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone;
    DWORD zone_id = ::GetTimeZoneInformation(&zone);
    long bias = zone.Bias;
    if (zone_id == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (zone_id == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    long offset = -bias;  // minutes east of UTC
    char sign = offset < 0 ? '-' : '+';
    if (offset < 0)
        offset = -offset;
    char text[64];
    std::snprintf(text, sizeof(text), "%s, %d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                  kDays[now.wDayOfWeek % 7], now.wDay, kMonths[(now.wMonth + 11) % 12],
                  now.wYear, now.wHour, now.wMinute, now.wSecond, sign, offset / 60,
                  offset % 60);
    return text;
}

}  // namespace

bool MimeMessage::SetHeader(const std::string& name, const std::string& value,
                            std::string& reason)
{
    if (name.empty()) {
        reason = "Empty header name";
        return false;
    }
    // "Name:" must fit on a line; the value can always go on the next.
    if (name.size() > kMaxNameLength) {
        reason = "Header name longer than " + std::to_string(kMaxNameLength) + " characters";
        return false;
    }
    for (unsigned char ch : name) {
        if (ch <= 32 || ch >= 127 || ch == ':') {
            reason = "Invalid header name \"" + name + "\"";
            return false;
        }
    }
    for (const char* field : kCompositionFields) {
        if (SameName(name, field)) {
            reason = "The header \"" + name + "\" is written by the library";
            return false;
        }
    }
    for (auto& header : m_headers) {
        if (SameName(header.first, name)) {
            header.second = value;
            return true;
        }
    }
    m_headers.emplace_back(name, value);
    return true;
}

void MimeMessage::Attach(const std::string& file_name, std::string content)
{
    m_attachments.push_back({file_name, std::move(content)});
}

std::string MimeMessage::BodyPart() const
{
    std::string text = mime::NormalizeLineEndings(m_body);
    std::string part;
    if (mime::IsPlainAscii(text) && !mime::HasOverlongLine(text)) {
        part = "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
               "Content-Transfer-Encoding: 7bit\r\n\r\n" +
               text;
    } else {
        part = "Content-Type: text/plain; charset=\"" + mime::AnsiCharsetName() +
               "\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
               mime::QuotedPrintable(text);
    }
    return part;
}

std::string MimeMessage::NewBoundary(const std::string& body) const
{
    // "=_" never occurs in base64 or quoted-printable text; only a plain
    // body has to be checked.
    static std::atomic<unsigned long> counter{0};
    for (;;) {
        char boundary[80];
        std::snprintf(boundary, sizeof(boundary), "=_CSMSG_%08lX_%08lX_%08lX",
                      ::GetCurrentProcessId(), ::GetTickCount(), ++counter);
        if (body.find(boundary) == std::string::npos)
            return boundary;
    }
}

std::string MimeMessage::Compose() const
{
    std::string message;
    bool has_date = false;
    for (const auto& header : m_headers) {
        has_date = has_date || SameName(header.first, "Date");
        message += mime::HeaderField(header.first, header.second);
    }
    if (!has_date)
        message += mime::HeaderField("Date", CurrentDate());
    message += "MIME-Version: 1.0\r\n";

    std::string body = BodyPart();
    if (m_attachments.empty()) {
        message += body;
        if (message.size() < 2 || message.compare(message.size() - 2, 2, "\r\n") != 0)
            message += "\r\n";
        return message;
    }

    std::string boundary = NewBoundary(body);
    message += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    message += "--" + boundary + "\r\n" + body + "\r\n";
    for (const Attachment& attachment : m_attachments) {
        message += "--" + boundary + "\r\n";
        message += "Content-Type: application/octet-stream" +
                   mime::FileNameParameter("name", attachment.file_name) + "\r\n";
        message += "Content-Transfer-Encoding: base64\r\n";
        message += "Content-Disposition: attachment" +
                   mime::FileNameParameter("filename", attachment.file_name) + "\r\n\r\n";
        // The line break before the next boundary belongs to the boundary,
        // so an empty attachment still needs one of its own.
        message += attachment.content.empty() ? std::string("\r\n")
                                              : mime::Base64Lines(attachment.content);
    }
    message += "--" + boundary + "--\r\n";
    return message;
}
