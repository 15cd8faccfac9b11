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

// Handles the test thread's own window messages for a while, as a program hosting a window must.
void PumpMessages(DWORD durationMs);
// Pumps messages until ready() holds; false on timeout.
template <typename Ready>
bool PumpUntil(Ready ready, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!ready()) {
        if (GetTickCount64() >= deadline)
            return false;
        PumpMessages(20);
    }
    return true;
}

// A plain top-level window of the test's own, e.g. to host another process's preview.
class HostWindow {
public:
    HostWindow(int width, int height);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();
    HWND Handle() const { return m_window; }
    // Sets the size of the client area.
    void Resize(int width, int height);
    void Destroy();

private:
    HWND m_window;
};
