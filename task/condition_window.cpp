#include "task/condition_window.h"

#include "task/shared/title_pattern.h"

HWND FindWindowLike(const char* pattern)
{
    if (pattern == nullptr || *pattern == '\0')
        return nullptr;
    if (HWND window = FindWindowByTitle(pattern))
        return window;
    // A title that holds "*" or "?" itself, or a window the pattern search
    // passes over (hidden or owned), is still found by its exact title.
    return FindWindowA(nullptr, pattern);
}
