// Filling with the DC's own brush and no outline; the DC is put back as it was.
#pragma once

#include <windows.h>

class CFlatBrush {
public:
    explicit CFlatBrush(HDC dc)
        : m_dc(dc), m_oldBrush(SelectObject(dc, GetStockObject(DC_BRUSH))),
          m_oldPen(SelectObject(dc, GetStockObject(NULL_PEN))), m_oldColor(GetDCBrushColor(dc))
    {
    }
    CFlatBrush(const CFlatBrush&) = delete;
    CFlatBrush& operator=(const CFlatBrush&) = delete;
    ~CFlatBrush()
    {
        SetDCBrushColor(m_dc, m_oldColor);
        SelectObject(m_dc, m_oldPen);
        SelectObject(m_dc, m_oldBrush);
    }

    void Circle(float x, float y, float radius, COLORREF color) const
    {
        SetDCBrushColor(m_dc, color);
        // One pixel more: without an outline the fill stops short on the right and bottom.
        Ellipse(m_dc, static_cast<int>(x - radius), static_cast<int>(y - radius), static_cast<int>(x + radius) + 1,
                static_cast<int>(y + radius) + 1);
    }

private:
    HDC m_dc;
    HGDIOBJ m_oldBrush;
    HGDIOBJ m_oldPen;
    COLORREF m_oldColor;
};
