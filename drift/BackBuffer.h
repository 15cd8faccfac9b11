// A bitmap selected into a memory DC of its own, released when it goes out of scope.
#pragma once

#include <windows.h>

class CBackBuffer {
public:
    CBackBuffer() = default;
    CBackBuffer(const CBackBuffer&) = delete;
    CBackBuffer& operator=(const CBackBuffer&) = delete;
    ~CBackBuffer() { Release(); }

    // Makes the buffer width x height, compatible with reference; keeps it when the size is
    // unchanged. Returns FALSE, holding nothing, when GDI cannot make it.
    BOOL Resize(HDC reference, int width, int height);
    // Whether the last Resize made a new bitmap, whose content is undefined.
    BOOL IsFresh() const { return m_fresh; }
    void MarkDrawn() { m_fresh = FALSE; }

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    void Release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
    BOOL m_fresh = FALSE;
};
