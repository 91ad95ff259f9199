// Window handling shared by the window and key commands.
#pragma once

#include <windows.h>

namespace desktop {

// How long an activated window gets to take the foreground and be ready for
// the keys that follow.
constexpr DWORD kActivationLimitMs = 5000;

// Restores the window when it is minimised and brings it to the foreground,
// then waits (dispatching messages, at most limitMs)
// until the window, or a window it owns, is the foreground window and its
// thread has handled what the activation sent it, so that the next key
// typed reaches it. False when that does not happen within the limit.
bool ActivateForInput(HWND window, DWORD limitMs);

// Sends the window a close message and waits for it to be handled, but no
// longer than the limit: a window whose program does not answer must not
// hold up the script for ever. True when the window handled the message.
bool CloseWindowWaiting(HWND window, DWORD limitMs);

}  // namespace desktop
