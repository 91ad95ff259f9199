// Window handling shared by the window and key commands.
#pragma once

#include <windows.h>

namespace desktop {

// Restores the window when it is minimised and brings it to the foreground.
void BringWindowToFront(HWND window);

// Sends the window a close message and waits for it to be handled, but no
// longer than the limit: a window whose program does not answer must not
// hold up the script for ever. True when the window handled the message.
bool CloseWindowWaiting(HWND window, DWORD limitMs);

}  // namespace desktop
