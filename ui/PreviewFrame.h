// Keeps a screen saver's preview filling its frame. The screen saver sizes its window to the frame once,
// when it starts; afterwards Windows resizes the frame alone (under per-monitor DPI awareness, when the
// dialog moves to a monitor of another scale), not the window that another process made inside it.
#pragma once

#include <windows.h>

// From now until the frame is destroyed, each change of its size resizes its child windows to match.
void KeepPreviewFillingFrame(HWND frame);
