#include "support/TestInput.h"

void BringToFront(HWND window)
{
    SetForegroundWindow(window);
}

void PressKey(WORD virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = virtualKey;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void ClickAt(POINT screenPoint)
{
    // Absolute positions are given in 0..65535 across the primary screen.
    const LONG x = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT mouse[3] = {};
    for (INPUT& input : mouse) {
        input.type = INPUT_MOUSE;
        input.mi.dx = x;
        input.mi.dy = y;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    mouse[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    mouse[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, mouse, sizeof(INPUT));
}
