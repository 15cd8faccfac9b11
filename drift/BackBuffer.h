// A 32-bit top-down bitmap (0x00RRGGBB a pixel, its rows one after another) selected into a memory DC
// of its own, released when it goes out of scope. Its pixels are at hand for drawing of its own; call
// GdiFlush before reading what GDI drew.
#pragma once

#include <windows.h>

class CBackBuffer {
public:
    CBackBuffer() = default;
    CBackBuffer(const CBackBuffer&) = delete;
    CBackBuffer& operator=(const CBackBuffer&) = delete;
    ~CBackBuffer() { Release(); }

    // Makes the buffer width x height, all black; keeps it when the size is unchanged. Returns FALSE,
    // holding nothing, when GDI cannot make it.
    BOOL Resize(int width, int height);

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    DWORD* Row(int y) const { return m_bits + y * m_width; }

private:
    void Release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
