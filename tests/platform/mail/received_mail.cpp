#include "received_mail.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string MailDirectory()
{
    const char* directory = std::getenv("TARVEX_SMTP_MAILDIR");
    return directory != nullptr ? directory : "";
}

std::string FromHex(const std::string& hex)
{
    if (hex == "-")
        return std::string();
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

std::vector<std::string> MessageFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    std::string directory = MailDirectory();
    HANDLE search = ::FindFirstFileA((directory + "\\message-*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(directory + "\\" + found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

ReceivedMail ReadSummary(const std::string& path)
{
    ReceivedMail mail;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key, first, second;
        fields >> key >> first >> second;
        if (key == "helo")
            mail.helo = FromHex(first);
        else if (key == "mail_from")
            mail.mail_from = FromHex(first);
        else if (key == "rcpt")
            mail.recipients.push_back(FromHex(first));
        else if (key == "header")
            mail.headers.emplace_back(FromHex(first), FromHex(second));
        else if (key == "raw_header")
            mail.raw_headers.emplace_back(FromHex(first), FromHex(second));
        else if (key == "content_type")
            mail.content_type = FromHex(first);
        else if (key == "body")
            mail.body = FromHex(first);
        else if (key == "attachment")
            mail.attachments.emplace_back(FromHex(first), FromHex(second));
        else if (key == "defects")
            mail.defects = std::atoi(FromHex(first).c_str());
    }
    return mail;
}

}  // namespace

std::string ReceivedMail::Header(const std::string& name, int* count) const
{
    std::string value;
    int found = 0;
    for (const auto& header : headers) {
        if (::lstrcmpiA(header.first.c_str(), name.c_str()) == 0) {
            if (found++ == 0)
                value = header.second;
        }
    }
    if (count != nullptr)
        *count = found;
    return value;
}

std::string ReceivedMail::RawHeader(const std::string& name) const
{
    for (const auto& header : raw_headers) {
        if (::lstrcmpiA(header.first.c_str(), name.c_str()) == 0)
            return header.second;
    }
    return std::string();
}

std::string TestSmtpHost()
{
    const char* host = std::getenv("TARVEX_SMTP_HOST");
    return host != nullptr ? host : "";
}

int TestSmtpPort()
{
    const char* port = std::getenv("TARVEX_SMTP_PORT");
    return port != nullptr ? std::atoi(port) : 0;
}

std::vector<ReceivedMail> ReadReceivedMail()
{
    std::vector<ReceivedMail> mails;
    for (const std::string& file : MessageFiles())
        mails.push_back(ReadSummary(file));
    return mails;
}

void ClearReceivedMail()
{
    for (const std::string& file : MessageFiles())
        ::DeleteFileA(file.c_str());
}

std::string AnsiToUtf8(const std::string& ansi)
{
    int wide_length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                            nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                          wide_length);
    int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr,
                                       nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, &utf8[0], length, nullptr, nullptr);
    return utf8;
}
