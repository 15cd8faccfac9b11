// Reading and working another process's windows, as a user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The first visible top-level window of that process with that class ("#32770" for dialogs and
// message boxes), other than except; NULL on timeout.
HWND WaitForProcessWindow(DWORD processId, const char* className = "#32770", DWORD timeoutMs = 10000,
                          HWND except = nullptr);
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

// The lines of a list box, in its order; list-box messages also work on another process's list.
std::vector<std::string> ListBoxLines(HWND list);
// The selected line of a single-selection list box, or -1 (LB_ERR) when none is selected.
int ListBoxSelection(HWND list);

// Where a host window stands: on its own, or as a control inside a top-level window, as the preview
// area of a dialog does.
enum class HostPlace { TopLevel, Control };

// A window of this process whose messages a thread of its own handles, so that another process can
// create its windows inside it (a /p preview) or own a box by it while the test waits. Hidden unless
// asked otherwise; the size is that of its client area.
class HostWindow {
public:
    explicit HostWindow(bool visible = false, int width = 320, int height = 240,
                        HostPlace place = HostPlace::TopLevel);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    // Destroys the window, and with it any child that another process created in it.
    ~HostWindow() { Destroy(); }
    void Destroy();
    HWND Handle() const { return m_window; }
    // The first child window that the process made in the window; NULL on timeout.
    HWND WaitForChildOf(DWORD processId, DWORD timeoutMs = 10000) const;
    // Sets the size of the client area (and of the frame around a control).
    void Resize(int width, int height) const;

private:
    static DWORD WINAPI Run(void* self);
    bool m_visible;
    int m_width;
    int m_height;
    HostPlace m_place;
    HWND m_frame = nullptr;  // the top-level window around a control
    HWND m_window = nullptr;
    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
};
