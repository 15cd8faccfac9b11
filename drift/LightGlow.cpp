#include "drift/LightGlow.h"

#include <math.h>
#include <string.h>

#include "drift/BackBuffer.h"
#include "drift/FlatBrush.h"

namespace {

// Room around the outermost disc for the rounding of its edge.
const int kMargin = 2;

// Calls found(disc, run) for each run of pixels of one disc in a side x side picture of discs, each
// drawn in a colour whose red is its number from 1.
template <class Found> void EachRun(const CBackBuffer& discs, int side, Found found)
{
    for (int y = 0; y < side; ++y) {
        const DWORD* row = discs.Row(y);
        for (int x = 0; x < side;) {
            const int disc = static_cast<BYTE>(row[x] >> 16);  // the red of 0x00RRGGBB
            int end = x + 1;
            while (end < side && row[end] == row[x])
                ++end;
            if (disc)
                found(disc - 1,
                      CLightGlow::Run { static_cast<short>(y), static_cast<short>(x), static_cast<short>(end) });
            x = end;
        }
    }
}

}  // namespace

bool CLightGlow::Prepare(const CDriftScene::LightLook& look)
{
    if (look.discs == m_discs && memcmp(look.radii, m_radii, look.discs * sizeof look.radii[0]) == 0)
        return false;
    m_discs = look.discs;
    memcpy(m_radii, look.radii, look.discs * sizeof look.radii[0]);
    const int half = static_cast<int>(look.radii[0]) + kMargin;
    m_side = 2 * half + 2;
    m_runs.reset();
    memset(m_first, 0, sizeof m_first);
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
    // Counted first, then stored.
    int counts[CDriftScene::kMostRings + 1] = {};
    EachRun(discs, m_side, [&](int disc, const Run&) { ++counts[disc]; });
    for (int disc = 0; disc <= CDriftScene::kMostRings; ++disc)
        m_first[disc + 1] = m_first[disc] + counts[disc];
    // One more than there are, as malloc may give nothing for none.
    m_runs.reset(static_cast<Run*>(malloc((m_first[CDriftScene::kMostRings + 1] + 1) * sizeof(Run))));
    if (!m_runs) {
        m_side = 0;
        memset(m_first, 0, sizeof m_first);
        return true;
    }
    int next[CDriftScene::kMostRings + 1];
    memcpy(next, m_first, sizeof next);
    EachRun(discs, m_side, [&](int disc, const Run& run) { m_runs.get()[next[disc]++] = run; });
    return true;
}

RECT CLightGlow::Bounds(float x, float y) const
{
    const int half = m_side / 2 - 1;
    const RECT bounds = { static_cast<LONG>(floorf(x)) - half, static_cast<LONG>(floorf(y)) - half,
                          static_cast<LONG>(floorf(x)) - half + m_side, static_cast<LONG>(floorf(y)) - half + m_side };
    return bounds;
}
