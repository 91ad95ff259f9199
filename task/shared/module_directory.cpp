#include "task/shared/module_directory.h"

#include <windows.h>

#include <vector>

namespace {

// The longest path the wide file API accepts; a module name cannot be longer.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string GetModuleDirectory()
{
    // A truncated name would give a wrong directory, so the buffer grows
    // until the whole name fits.
    std::vector<char> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            break;
        if (buffer.size() >= kLongestPath)
            return std::string();
        buffer.resize(buffer.size() * 2);
    }

    const std::string path(buffer.data(), length);
    const size_t end = path.find_last_of("\\/:");
    if (end == std::string::npos)
        return std::string();
    return path.substr(0, end + 1);
}
