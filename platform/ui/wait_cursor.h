// The hourglass shown while the program is busy. Requests are counted, so
// nested busy stretches show it from the first begin to the last end.
#pragma once

#include <windows.h>

// 1 begins, -1 ends, 0 shows the cursor again when a box replaced it.
void DoWaitCursor(int nCode);
// The number of busy stretches open now.
int WaitCursorDepth();
// DoWaitCursor of the application object, which may show its own cursor;
// the plain one when the program has no application object.
void ApplicationWaitCursor(int nCode);

// The wait cursor for the life of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    void Restore();
};
