#include "platform/mail/mime_encoding.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace mime {
namespace {

const char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const size_t kLineLength = 76;
// The most a line of a message may hold, its CR LF not counted.
const size_t kMaxLineLength = 998;

bool IsPlainHeaderByte(unsigned char ch)
{
    return ch >= 0x20 && ch < 0x7F;
}

std::string Base64(const std::string& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned value = (static_cast<unsigned char>(bytes[i]) << 16) |
                         (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                         static_cast<unsigned char>(bytes[i + 2]);
        out += kBase64Alphabet[(value >> 18) & 63];
        out += kBase64Alphabet[(value >> 12) & 63];
        out += kBase64Alphabet[(value >> 6) & 63];
        out += kBase64Alphabet[value & 63];
    }
    size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kBase64Alphabet[(value >> 18) & 63];
        out += kBase64Alphabet[(value >> 12) & 63];
        out += rest == 2 ? kBase64Alphabet[(value >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

void AppendHex(std::string& out, char prefix, unsigned char ch)
{
    static const char kHex[] = "0123456789ABCDEF";
    out += prefix;
    out += kHex[ch >> 4];
    out += kHex[ch & 15];
}

// Cuts an encoded run into chunks whose encoded words stay within 75
// characters, never between the two bytes of a double-byte character.
std::vector<std::string> SplitForEncodedWords(const std::string& run, size_t max_bytes)
{
    std::vector<std::string> chunks;
    size_t start = 0;
    while (start < run.size()) {
        size_t end = start;
        while (end < run.size()) {
            size_t width = ::IsDBCSLeadByte(static_cast<BYTE>(run[end])) && end + 1 < run.size() ? 2 : 1;
            if (end - start + width > max_bytes)
                break;
            end += width;
        }
        if (end == start)
            end = start + 1;
        chunks.push_back(run.substr(start, end - start));
        start = end;
    }
    return chunks;
}

// The fields of RFC 5322 whose value is a list of addresses.
bool IsAddressListField(const std::string& name)
{
    static const char* const kAddressFields[] = {"From",        "Sender",        "Reply-To",  "To",
                                                 "Cc",          "Bcc",           "Resent-From", "Resent-Sender",
                                                 "Resent-To",   "Resent-Cc",     "Resent-Bcc"};
    for (const char* field : kAddressFields) {
        if (::lstrcmpiA(field, name.c_str()) == 0)
            return true;
    }
    return false;
}

struct Word {
    std::string space;  // the blanks before the word, as written
    std::string text;
    bool plain;
};

}  // namespace

std::string Base64Lines(const std::string& bytes)
{
    std::string encoded = Base64(bytes);
    std::string out;
    out.reserve(encoded.size() + encoded.size() / kLineLength * 2 + 2);
    for (size_t i = 0; i < encoded.size(); i += kLineLength) {
        out.append(encoded, i, kLineLength);
        out += "\r\n";
    }
    return out;
}

std::string NormalizeLineEndings(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (ch == '\n') {
            out += "\r\n";
        } else {
            out += ch;
        }
    }
    return out;
}

bool IsPlainAscii(const std::string& text)
{
    for (unsigned char ch : text) {
        if (!(IsPlainHeaderByte(ch) || ch == '\t' || ch == '\r' || ch == '\n'))
            return false;
    }
    return true;
}

bool HasOverlongLine(const std::string& crlf_text)
{
    size_t start = 0;
    while (start <= crlf_text.size()) {
        size_t end = crlf_text.find("\r\n", start);
        if (end == std::string::npos)
            end = crlf_text.size();
        if (end - start > kMaxLineLength)
            return true;
        start = end + 2;
    }
    return false;
}

std::string QuotedPrintable(const std::string& crlf_text)
{
    std::string out;
    size_t start = 0;
    while (start <= crlf_text.size()) {
        size_t end = crlf_text.find("\r\n", start);
        bool last = end == std::string::npos;
        if (last)
            end = crlf_text.size();
        std::string line;
        for (size_t i = start; i < end; ++i) {
            unsigned char ch = static_cast<unsigned char>(crlf_text[i]);
            bool at_line_end = i + 1 == end;
            std::string chunk;
            if ((ch == ' ' || ch == '\t') && !at_line_end)
                chunk = static_cast<char>(ch);
            else if (ch > 32 && ch < 127 && ch != '=')
                chunk = static_cast<char>(ch);
            else
                AppendHex(chunk, '=', ch);
            // Room for a soft break "=" at the end of a 76-character line.
            if (line.size() + chunk.size() > kLineLength - 1) {
                out += line;
                out += "=\r\n";
                line.clear();
            }
            line += chunk;
        }
        out += line;
        if (last)
            break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

std::string AnsiCharsetName()
{
    UINT code_page = ::GetACP();
    switch (code_page) {
    case 65001: return "utf-8";
    case 932: return "shift_jis";
    case 936: return "gb2312";
    case 949: return "ks_c_5601-1987";
    case 950: return "big5";
    case 20127: return "us-ascii";
    case 28591: return "iso-8859-1";
    default: {
        char name[32];
        std::snprintf(name, sizeof(name), "windows-%u", code_page);
        return name;
    }
    }
}

std::string HeaderField(const std::string& name, const std::string& value)
{
    const bool address_list = IsAddressListField(name);

    // Split into words, each with the blanks written before it. An address
    // list is also split after each comma outside quotes: a list written
    // without blanks must still fold between its addresses.
    std::vector<Word> words;
    std::string space;
    std::string text;
    auto finish_word = [&] {
        if (!text.empty()) {
            bool plain = true;
            for (unsigned char ch : text)
                plain = plain && IsPlainHeaderByte(ch);
            words.push_back({words.empty() ? std::string() : space, text, plain});
            text.clear();
            space.clear();
        }
    };
    bool quoted = false;
    for (char ch : value) {
        if (ch == '\r' || ch == '\n')
            ch = ' ';
        if (ch == ' ' || ch == '\t') {
            finish_word();
            space += ch;
            continue;
        }
        text += ch;
        if (ch == '"')
            quoted = !quoted;
        if (address_list && ch == ',' && !quoted)
            finish_word();
    }
    finish_word();

    // A word of free text too long for a line of its own is carried by
    // encoded words, which fold. Addresses cannot be encoded (and none is
    // that long).
    if (!address_list) {
        for (Word& word : words) {
            if (word.space.size() + word.text.size() > kMaxLineLength - 1)
                word.plain = false;
        }
    }

    // Adjacent encoded words are joined without their blanks when decoded,
    // so a run of non-plain words is encoded as one text, blanks included.
    std::vector<std::string> chunks;  // each with its leading blanks, if any
    const std::string charset = AnsiCharsetName();
    const size_t overhead = 7 + charset.size();  // =?charset?B?...?=
    const size_t max_bytes = (75 - overhead) / 4 * 3;
    for (size_t i = 0; i < words.size();) {
        if (words[i].plain) {
            chunks.push_back(words[i].space + words[i].text);
            ++i;
            continue;
        }
        std::string before = words[i].space;
        std::string run;
        // One blank is enough to set the encoded words apart; a longer run
        // of blanks travels inside them, so that it never makes a line of
        // its own too long.
        if (before.size() > kLineLength) {
            run = before.substr(1);
            before.resize(1);
        }
        run += words[i].text;
        size_t j = i + 1;
        for (; j < words.size() && !words[j].plain; ++j)
            run += words[j].space + words[j].text;
        // The comma that separates addresses stays outside the encoding.
        std::string after;
        if (address_list && run.size() > 1 && run.back() == ',') {
            run.pop_back();
            after = ",";
        }
        bool first = true;
        for (const std::string& part : SplitForEncodedWords(run, max_bytes)) {
            chunks.push_back((first ? before : std::string(" ")) + "=?" + charset + "?B?" + Base64(part) + "?=");
            first = false;
        }
        chunks.back() += after;
        i = j;
    }

    std::string field = name + ":";
    size_t line_length = field.size();
    for (size_t i = 0; i < chunks.size(); ++i) {
        std::string chunk = chunks[i];
        if (i == 0)
            chunk = " " + chunk;
        // A fold goes before the blank that starts a chunk, or brings its
        // own blank when the chunk follows a comma directly. The first chunk
        // folds only when it would make the line too long.
        const bool blank_first = chunk[0] == ' ' || chunk[0] == '\t';
        const size_t limit = i == 0 ? kMaxLineLength : kLineLength;
        if (line_length + chunk.size() > limit) {
            field += blank_first ? "\r\n" : "\r\n ";
            line_length = blank_first ? 0 : 1;
        }
        field += chunk;
        line_length += chunk.size();
    }
    field += "\r\n";
    return field;
}

std::string FileNameParameter(const std::string& attribute, const std::string& file_name)
{
    bool plain = true;
    for (unsigned char ch : file_name)
        plain = plain && IsPlainHeaderByte(ch);
    std::string out = "; " + attribute;
    if (plain) {
        out += "=\"";
        for (char ch : file_name) {
            if (ch == '"' || ch == '\\')
                out += '\\';
            out += ch;
        }
        out += '"';
        return out;
    }
    out += "*=" + AnsiCharsetName() + "''";
    for (unsigned char ch : file_name) {
        bool literal = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
                       (ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '_';
        if (literal)
            out += static_cast<char>(ch);
        else
            AppendHex(out, '%', ch);
    }
    return out;
}

}  // namespace mime
