// Byte images of storage files, kept as annotated text fixtures in
// tests/storage/fixtures: hex bytes separated by blanks with "#" comments,
// and text lines that begin with a double quote, whose bytes are everything
// between the first and the last double quote of the line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// The bytes of fixtures/<name>; fails the current test when the fixture
// can't be read or parsed.
Bytes FixtureBytes(const char* name);

// Bytes of a literal, for short images written inline.
Bytes BytesOf(const std::string& text);

// "0A 00 FF ..." for failure messages.
std::string HexOf(const Bytes& bytes);
