#pragma once

#include <string>

// The test program's directory in Windows form. Wine maps the host's root
// directory to drive Z:, so "/a/b" is "Z:\a\b\".
inline std::string ExpectedProgramDirectory()
{
    std::string path = "Z:";
    for (const char c : std::string(QVX_TEST_PROGRAM_DIR))
        path += c == '/' ? '\\' : c;
    if (path.back() != '\\')
        path += '\\';
    return path;
}
