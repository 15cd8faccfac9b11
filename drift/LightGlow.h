// One light's glow and core, drawn once into a bitmap of levels of its own: which of the light's discs
// covers each pixel last (1 the outermost ring, up to the core), 0 where none does. A frame takes each
// pixel's colour from the light's colours of the moment, so that its breathing and the sky behind it
// cost nothing more, and drawing a glow costs the same however many rings it has.
#pragma once

#include <windows.h>

#include <vector>

#include "drift/DriftScene.h"

class CLightGlow {
public:
    // Draws the levels anew when the discs' sizes changed, and then returns true. Holds nothing when GDI
    // cannot draw them.
    bool Prepare(const CDriftScene::LightLook& look);
    // What the glow covers with the light's centre at that place, to the pixel.
    RECT Bounds(float x, float y) const;
    const BYTE* Row(int y) const { return &m_levels[y * m_side]; }

private:
    std::vector<BYTE> m_levels;
    int m_side = 0;  // of the square of levels, the discs' centre in its middle
    int m_discs = 0;
    float m_radii[CDriftScene::kMostRings + 1] = {};
};
