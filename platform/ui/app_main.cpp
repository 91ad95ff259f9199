// The entry point of a program built on the application object.
#include <windows.h>

#include "platform/ui/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    // A program without an application object has nothing to run.
    if (!app)
        return -1;
    return AfxWinMain(*app, instance);
}
