// The picture: warm lights drifting upward through a dusk sky, swaying and slowly breathing.
// Positions are fractions of the picture's size, so that the preview looks like the full screen.
#pragma once

#include <windows.h>

class CDriftScene {
public:
    // firstRandom starts the random sequence: the same value gives the same picture.
    explicit CDriftScene(DWORD firstRandom);

    // Moves every light on by that much time.
    void Advance(DWORD elapsedMs);
    // The sky without the lights; drawn once per size and kept.
    void DrawSky(HDC dc, int width, int height) const;

    static constexpr int kLightCount = 28;
    static constexpr int kMostRings = 12;
    // How a light looks in a picture of that size: concentric discs, the outermost first, each over the
    // last; the glow's rings, then the bright core. Where lights overlap, a disc of a later ring lies
    // over one of an earlier ring, and of two alike the later light's; the cores over every ring.
    struct LightLook {
        float x, y;  // centre, in pixels
        int discs;   // the rings and the core
        float radii[kMostRings + 1];
        COLORREF colors[kMostRings + 1];
    };
    LightLook Look(int index, int width, int height) const;

private:
    struct Light {
        float x;          // centre line, fraction of the width
        float y;          // fraction of the height; rises from below 1 to above 0
        float radius;     // fraction of the height
        float rise;       // height fractions per second
        float swayWidth;  // width fractions
        float swayRate;   // radians per second
        float phase;      // radians, of both the sway and the breathing
        COLORREF color;
    };

    void Place(Light& light, bool anywhere);
    float SwayedX(const Light& light) const;
    float Brightness(const Light& light) const;

    Light m_lights[kLightCount];
    const DWORD m_firstRandom;  // also where the stars start, so that they stay put
    DWORD m_random;
    float m_seconds = 0;
};
