// Real keyboard and mouse input, as a user gives it: it reaches whichever window is in front
// (under Wine too, from a process without windows of its own).
#pragma once

#include <windows.h>

// Brings the window to the front, so that the input that follows reaches it.
void BringToFront(HWND window);
// Presses and releases one key.
void PressKey(WORD virtualKey);
// A left click at a point of the screen.
void ClickAt(POINT screenPoint);
