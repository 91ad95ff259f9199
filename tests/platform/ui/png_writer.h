// Writes pictures as PNG files (8-bit RGB, stored without compression).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, rows from the top. False when the file
// cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
