// Another process's windows, read and worked as a user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The first visible top-level window of the process with that class, other than except; NULL on timeout.
HWND WaitForWindow(DWORD processId, const char* className = "#32770", HWND except = nullptr);
std::string Text(HWND window);

// A message box as the user sees it.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool yesNo = false;
};
Box ReadBox(HWND window);
// Clicks a button of a dialog or message box.
void Press(HWND dialog, int buttonId);
// The first child window of parent that the process made; NULL on timeout.
HWND WaitForChild(HWND parent, DWORD processId);
// A key pressed and released, reaching whichever window is in front.
void Key(WORD virtualKey);
// The lines of a list box, in its order.
std::vector<std::string> Lines(HWND list);

// A window of the test process whose messages a thread of its own handles, so that another process
// can make its windows inside it, as a preview does.
class HostWindow {
public:
    HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    // Destroys the window, and with it what another process made in it.
    ~HostWindow();
    HWND Handle() const { return m_window; }

private:
    static DWORD WINAPI Run(void* self);
    HWND m_window = nullptr;
    HANDLE m_ready;
    HANDLE m_thread;
    DWORD m_threadId = 0;
};
