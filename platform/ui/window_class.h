// Window classes of the framework's windows. Their procedure is the default
// one: the framework routes every window's messages through the window's
// object, whatever its class.
#pragma once

#include <windows.h>

// The name of a class with these looks, registered on first use; the name
// stays valid for the life of the program. Throws CResourceException when
// the class cannot be registered.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// Registers the class unless a class of that name exists in its module.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
