#pragma once

#include <windows.h>

// Window titles are matched against patterns in which "?" stands for any one
// character and "*" for any run of characters, the empty run included.
// Letters compare case-sensitively and the whole title must be accounted for.
// An empty pattern (or a null one) matches nothing, so that a script line with
// a forgotten title never picks an arbitrary window.
bool MatchTitlePattern(const char* pattern, const char* title);

// The first top-level window, in the system's order, that is visible, has no
// owner, has a non-empty title (its first 255 characters are read) and whose
// title matches the pattern; nullptr when there is none. Only the calling
// thread's desktop is searched.
HWND FindWindowByTitle(const char* pattern);
