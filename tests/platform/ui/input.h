// Real input for tests, through SendInput: for code that polls the mouse or
// keyboard itself (menus, tooltips, capture loops).
#pragma once

#include <windows.h>

#include <string>

void MoveMouseTo(POINT screen);
// One mouse event at a point: a move there with the button flags given
// (MOUSEEVENTF_LEFTDOWN, ...; 0 for a plain move).
void SendMouseAt(DWORD buttonFlags, POINT screen);
void ClickAt(POINT screen, bool rightButton = false);
// A key press and release; with modifiers held around it.
void PressKey(WORD virtualKey, bool control = false, bool shift = false, bool alt = false);
void TypeText(const std::string& text);
