#include "byte_image.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#ifndef STORAGE_FIXTURE_DIR
#error STORAGE_FIXTURE_DIR must name the fixture folder
#endif

namespace {

bool ParseHexLine(const std::string& line, Bytes& out)
{
    const std::string data = line.substr(0, line.find('#'));
    std::istringstream words(data);
    std::string word;
    while (words >> word) {
        if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
            !std::isxdigit(static_cast<unsigned char>(word[1])))
            return false;
        out.push_back(static_cast<BYTE>(std::stoi(word, nullptr, 16)));
    }
    return true;
}

}  // namespace

Bytes FixtureBytes(const char* name)
{
    const std::string path = std::string(STORAGE_FIXTURE_DIR) + "/" + name;
    std::ifstream file(path, std::ios::binary);
    Bytes bytes;
    if (!file) {
        ADD_FAILURE() << "fixture " << path << " can't be read";
        return bytes;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        if (line[first] == '"') {
            const size_t last = line.rfind('"');
            if (last == first) {
                ADD_FAILURE() << path << ":" << number << ": unterminated text";
                return Bytes();
            }
            bytes.insert(bytes.end(), line.begin() + first + 1, line.begin() + last);
            continue;
        }
        if (!ParseHexLine(line, bytes)) {
            ADD_FAILURE() << path << ":" << number << ": not hex bytes";
            return Bytes();
        }
    }
    return bytes;
}

Bytes BytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string HexOf(const Bytes& bytes)
{
    std::string text;
    char hex[4];
    for (BYTE b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", b);
        text += hex;
    }
    return text;
}
