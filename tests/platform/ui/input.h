// Real input for tests, through SendInput: for code that polls the mouse or
// keyboard itself (menus, tooltips, capture loops).
#pragma once

#include <windows.h>

#include <string>

void MoveMouseTo(POINT screen);
void ClickAt(POINT screen, bool rightButton = false);
// A key press and release; with modifiers held around it.
void PressKey(WORD virtualKey, bool control = false, bool shift = false, bool alt = false);
void TypeText(const std::string& text);
