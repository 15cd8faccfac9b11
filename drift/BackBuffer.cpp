#include "drift/BackBuffer.h"

BOOL CBackBuffer::Resize(HDC reference, int width, int height)
{
    if (m_dc && width == m_width && height == m_height)
        return TRUE;
    Release();
    m_dc = CreateCompatibleDC(reference);
    m_bitmap = CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1);
    if (!m_dc || !m_bitmap) {
        Release();
        return FALSE;
    }
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    m_width = width;
    m_height = height;
    m_fresh = TRUE;
    return TRUE;
}

void CBackBuffer::Release()
{
    if (m_dc && m_oldBitmap)
        SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dc)
        DeleteDC(m_dc);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_width = 0;
    m_height = 0;
    m_fresh = FALSE;
}
