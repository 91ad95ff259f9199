// The window class the toolkit's bars, dock bars and mini frames register
// for themselves: double clicks, the arrow cursor and the face brush, named
// after its prefix and those values so that a second module never shares it.
#pragma once

#include <windows.h>

#include <cstddef>

// Registers the class on first use and answers its name, written into the
// caller's buffer (which must live as long as the class's windows). Throws
// the resource exception when the class cannot be registered.
LPCSTR WtkRegisterBarWindowClass(LPCSTR lpszPrefix, char* pszName, std::size_t cchName);
