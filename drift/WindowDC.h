// Device contexts of a window, given back when they go out of scope.
#pragma once

#include <windows.h>

// BeginPaint ... EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_window, &m_paint); }

    HDC Dc() const { return m_dc; }
    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint;
    HDC m_dc;
};

// GetDCEx ... ReleaseDC.
class CWindowDC {
public:
    CWindowDC(HWND window, DWORD flags) : m_window(window), m_dc(GetDCEx(window, nullptr, flags)) {}
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    ~CWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }

    HDC Dc() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};
