// One light's glow and core, drawn once: for each of its discs (the outermost ring first, the core
// last) the runs of pixels that it covers and no later disc does. A frame fills each run with the
// light's colour of the moment for that disc, so that its breathing and the sky behind it cost nothing
// more, and drawing a glow costs the same however many rings it has.
#pragma once

#include <stdlib.h>
#include <windows.h>

#include <memory>

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
    // A disc's runs, for a range-based for.
    struct Span {
        const Run *first, *last;
        const Run* begin() const { return first; }
        const Run* end() const { return last; }
    };
    Span Runs(int disc) const { return { m_runs.get() + m_first[disc], m_runs.get() + m_first[disc + 1] }; }

private:
    struct FreeMemory {
        void operator()(Run* runs) const { free(runs); }
    };

    // Every disc's runs in one block, disc by disc, from malloc: the C++ library's containers would bring its
    // exception runtime into the module.
    std::unique_ptr<Run, FreeMemory> m_runs;
    int m_first[CDriftScene::kMostRings + 2] = {};  // where each disc's runs start, and where the last ends
    int m_side = 0;                                 // of the square that holds the discs, their centre in its middle
    int m_discs = 0;
    float m_radii[CDriftScene::kMostRings + 1] = {};
};
