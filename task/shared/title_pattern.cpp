#include "task/shared/title_pattern.h"

namespace {

// Titles longer than this are compared by their beginning only.
constexpr int kTitleCharacters = 255;

struct WindowSearch {
    const char* pattern;
    HWND found;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    char title[kTitleCharacters + 1] = "";
    if (GetWindowTextA(window, title, sizeof title) <= 0)
        return TRUE;
    if (!MatchTitlePattern(search->pattern, title))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool MatchTitlePattern(const char* pattern, const char* title)
{
    if (pattern == nullptr || *pattern == '\0' || title == nullptr)
        return false;

    // On a mismatch the most recent "*" takes one more title character and
    // the rest of the pattern is tried again from there. Going back to that
    // star alone is enough: an earlier star can never do better, because
    // whatever it would skip the later one can skip as well.
    const char* star = nullptr;
    const char* starTitle = nullptr;
    while (*title != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            starTitle = title;
        } else if (*pattern != '\0' && (*pattern == '?' || *pattern == *title)) {
            ++pattern;
            ++title;
        } else if (star != nullptr) {
            pattern = star + 1;
            title = ++starTitle;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

HWND FindWindowByTitle(const char* pattern)
{
    if (pattern == nullptr || *pattern == '\0')
        return nullptr;
    WindowSearch search = {pattern, nullptr};
    EnumWindows(TestWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
