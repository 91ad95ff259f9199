#include "platform/mail/smtp_addresses.h"

namespace smtp {
namespace {

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> SplitRecipients(const std::string& list)
{
    std::vector<std::string> entries;
    std::string current;
    bool quoted = false;
    for (char ch : list) {
        if (ch == '"')
            quoted = !quoted;
        if (ch == ',' && !quoted) {
            current = Trimmed(current);
            if (!current.empty())
                entries.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    current = Trimmed(current);
    if (!current.empty())
        entries.push_back(current);
    return entries;
}

bool MailboxAddress(const std::string& entry, std::string& address)
{
    std::string text = Trimmed(entry);
    size_t open = text.rfind('<');
    if (open != std::string::npos) {
        size_t close = text.find('>', open);
        if (close == std::string::npos)
            return false;
        text = Trimmed(text.substr(open + 1, close - open - 1));
    }
    for (unsigned char ch : text) {
        if (ch <= 32 || ch == 127 || ch == '<' || ch == '>')
            return false;
    }
    address = text;
    return true;
}

std::string DataText(const std::string& message)
{
    std::string data;
    data.reserve(message.size() + message.size() / 64 + 8);
    bool line_start = true;
    for (size_t i = 0; i < message.size(); ++i) {
        char ch = message[i];
        if (line_start && ch == '.')
            data += '.';
        if (ch == '\r' || ch == '\n') {
            data += "\r\n";
            if (ch == '\r' && i + 1 < message.size() && message[i + 1] == '\n')
                ++i;
            line_start = true;
        } else {
            data += ch;
            line_start = false;
        }
    }
    if (!line_start)
        data += "\r\n";
    data += ".\r\n";
    return data;
}

}  // namespace smtp
