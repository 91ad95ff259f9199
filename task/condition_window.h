// The window tests of a condition.
#pragma once

#include <windows.h>

// The first visible, unowned top-level window whose title matches the
// pattern (see MatchTitlePattern); failing that, a top-level window whose
// title is exactly the pattern text. Null when there is none, and for an
// empty pattern.
HWND FindWindowLike(const char* pattern);
