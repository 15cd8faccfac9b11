// A window, addressed through its handle. The object does not own the window.
#pragma once

#include <windows.h>

#include "framework/CCmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override = default;

    HWND m_hWnd = nullptr;
};
