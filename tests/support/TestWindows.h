// Reading and working another process's windows, as a user would.
#pragma once

#include <windows.h>

#include <string>

// The first visible top-level window of that process with that class ("#32770" for dialogs and
// message boxes); NULL on timeout.
HWND WaitForProcessWindow(DWORD processId, const char* className = "#32770", DWORD timeoutMs = 10000);
// Whether the process shows any visible top-level window now.
bool HasVisibleWindow(DWORD processId);
std::string WindowText(HWND window);

// A message box as the user sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool hasOk = false;
    bool hasYesNo = false;
};
MessageBoxView ReadMessageBox(HWND window);
// Clicks a button of a dialog or message box, as a click would.
void PressButton(HWND dialog, int buttonId);
