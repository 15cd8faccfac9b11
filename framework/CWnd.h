// A window, addressed through its handle. The object does not own the window.
#pragma once

#include <windows.h>

#include "framework/CCmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override = default;

    // The child window with that id, or NULL when there is none. The object is a temporary that
    // the next GetDlgItem call reuses: use it at once, never keep it.
    CWnd* GetDlgItem(int id) const;
    void SetWindowText(const char* text);
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }

    HWND m_hWnd = nullptr;
};
