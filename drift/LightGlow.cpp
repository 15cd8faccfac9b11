#include "drift/LightGlow.h"

#include <math.h>
#include <string.h>

#include "drift/BackBuffer.h"
#include "drift/FlatBrush.h"

namespace {

// Room around the outermost disc for the rounding of its edge.
const int kMargin = 2;

}  // namespace

bool CLightGlow::Prepare(const CDriftScene::LightLook& look)
{
    if (look.discs == m_discs && memcmp(look.radii, m_radii, look.discs * sizeof look.radii[0]) == 0)
        return false;
    m_discs = look.discs;
    memcpy(m_radii, look.radii, look.discs * sizeof look.radii[0]);
    const int half = static_cast<int>(look.radii[0]) + kMargin;
    m_side = 2 * half + 2;
    for (std::vector<Run>& runs : m_runs)
        runs.clear();
    CBackBuffer discs;
    if (!discs.Resize(m_side, m_side)) {
        m_side = 0;
        return true;
    }
    {
        // Drawn as the glows always were, by GDI, with the centre in the middle of a pixel; each disc in a
        // colour that is its number.
        CFlatBrush brush(discs.Dc());
        for (int disc = 0; disc < look.discs; ++disc)
            brush.Circle(half + 0.5f, half + 0.5f, look.radii[disc], RGB(disc + 1, 0, 0));
    }
    GdiFlush();
    for (int y = 0; y < m_side; ++y) {
        const DWORD* row = discs.Row(y);
        for (int x = 0; x < m_side;) {
            const int disc = static_cast<BYTE>(row[x] >> 16);  // the red of 0x00RRGGBB
            int end = x + 1;
            while (end < m_side && row[end] == row[x])
                ++end;
            if (disc)
                m_runs[disc - 1].push_back({ static_cast<short>(y), static_cast<short>(x), static_cast<short>(end) });
            x = end;
        }
    }
    return true;
}

RECT CLightGlow::Bounds(float x, float y) const
{
    const int half = m_side / 2 - 1;
    const RECT bounds = { static_cast<LONG>(floorf(x)) - half, static_cast<LONG>(floorf(y)) - half,
                          static_cast<LONG>(floorf(x)) - half + m_side, static_cast<LONG>(floorf(y)) - half + m_side };
    return bounds;
}
