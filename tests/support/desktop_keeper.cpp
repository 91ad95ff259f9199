// Keeps the Wine prefix's desktop open for a whole test run.
//
// Wine closes the desktop a moment after its last window program ends, and
// the next program that needs one starts the desktop process again, which
// inherits that program's standard error. A test runner waiting for the end
// of a test's output then waits for the desktop process instead, long after
// the test itself ended. Started first, with no output of any test, this
// program is the desktop's user for the run, so no test ever starts it.
//
//   tvx_desktop_keeper.exe READY_FILE
// creates READY_FILE once the desktop is up and then waits until it is ended.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    // Starts the desktop process when there is none.
    if (!GetDesktopWindow())
        return 1;
    // A window only messages reach keeps this process a user of the desktop
    // without showing up among the windows that tests enumerate.
    HWND keeper = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!keeper)
        return 1;
    HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    DestroyWindow(keeper);
    return 0;
}
