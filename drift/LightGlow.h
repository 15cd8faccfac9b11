// One light's glow and core, drawn once: for each of its discs (the outermost ring first, the core
// last) the runs of pixels that it covers and no later disc does. A frame fills each run with the
// light's colour of the moment for that disc, so that its breathing and the sky behind it cost nothing
// more, and drawing a glow costs the same however many rings it has.
#pragma once

#include <windows.h>

#include <vector>

#include "drift/DriftScene.h"

class CLightGlow {
public:
    // A row's pixels from left up to right, from the top left of Bounds.
    struct Run {
        short y, left, right;
    };

    // Draws the discs anew when their sizes changed, and then returns true. Holds nothing when GDI
    // cannot draw them.
    bool Prepare(const CDriftScene::LightLook& look);
    // What the glow covers with the light's centre at that place, to the pixel.
    RECT Bounds(float x, float y) const;
    const std::vector<Run>& Runs(int disc) const { return m_runs[disc]; }

private:
    std::vector<Run> m_runs[CDriftScene::kMostRings + 1];
    int m_side = 0;  // of the square that holds the discs, their centre in its middle
    int m_discs = 0;
    float m_radii[CDriftScene::kMostRings + 1] = {};
};
