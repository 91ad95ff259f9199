#include "task/condition_window.h"

#include <string>
#include <vector>

#include "task/shared/title_pattern.h"
#include "task/shared_snapshots.h"

namespace {

// The pattern search reads this many title characters, as FindWindowByTitle
// does.
constexpr std::size_t kPatternTitleCharacters = 255;

// The same two searches as below, on the list a snapshot scope shares.
HWND FindInSharedList(const std::vector<WindowEntry>& windows, const char* pattern)
{
    for (const WindowEntry& entry : windows) {
        if (entry.searchable && !entry.title.empty() &&
            MatchTitlePattern(pattern, entry.title.substr(0, kPatternTitleCharacters).c_str()))
            return entry.window;
    }
    // FindWindowA compares the whole title without regard to case.
    for (const WindowEntry& entry : windows) {
        if (lstrcmpiA(entry.title.c_str(), pattern) == 0)
            return entry.window;
    }
    return nullptr;
}

}  // namespace

HWND FindWindowLike(const char* pattern)
{
    if (pattern == nullptr || *pattern == '\0')
        return nullptr;
    if (const std::vector<WindowEntry>* shared = SharedWindowList())
        return FindInSharedList(*shared, pattern);
    if (HWND window = FindWindowByTitle(pattern))
        return window;
    // A title that holds "*" or "?" itself, or a window the pattern search
    // passes over (hidden or owned), is still found by its exact title.
    return FindWindowA(nullptr, pattern);
}
