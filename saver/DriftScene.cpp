#include "saver/DriftScene.h"

#include <math.h>

namespace {

const COLORREF kSkyTop = RGB(6, 8, 28);
const COLORREF kSkyBottom = RGB(54, 38, 92);
// Warm lanterns mostly, a cool one now and then.
const COLORREF kPalette[] = {
    RGB(255, 190, 92),   // amber
    RGB(255, 190, 92),
    RGB(255, 150, 112),  // peach
    RGB(255, 150, 112),
    RGB(255, 226, 150),  // pale gold
    RGB(255, 226, 150),
    RGB(242, 132, 166),  // rose
    RGB(150, 222, 232),  // ice
};
const int kPaletteSize = sizeof kPalette / sizeof kPalette[0];

const int kPixelsPerStar = 11000;  // as many stars for the area in the preview as full screen
const int kSkyBand = 2;        // pixels per gradient step
// Rings per glow: enough that no steps show full screen, few where the glows are a few pixels wide.
const int kMostRings = 12;
const int kFewestRings = 3;
const int kPixelsPerRing = 64;  // of the picture's height
const float kGlowReach = 3.0f;  // glow radius in light radii
const float kCoreSize = 0.55f;  // bright core radius in light radii
const float kTwoPi = 6.2831853f;
const float kBreathRate = 0.7f;  // radians per second

int Clamp(int value, int lowest, int highest)
{
    return value < lowest ? lowest : value > highest ? highest : value;
}

BYTE Mix(BYTE from, BYTE to, float amount)
{
    return static_cast<BYTE>(from + (to - from) * amount + 0.5f);
}

COLORREF MixColor(COLORREF from, COLORREF to, float amount)
{
    return RGB(Mix(GetRValue(from), GetRValue(to), amount), Mix(GetGValue(from), GetGValue(to), amount),
               Mix(GetBValue(from), GetBValue(to), amount));
}

COLORREF SkyAt(float fraction)
{
    if (fraction < 0)
        fraction = 0;
    if (fraction > 1)
        fraction = 1;
    return MixColor(kSkyTop, kSkyBottom, fraction);
}

// Draws with the DC's own brush and no outline, and puts the DC back as it was.
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

}  // namespace

CDriftScene::CDriftScene(DWORD seed) : m_starSeed(seed), m_random(seed ? seed : 1)
{
    for (Light& light : m_lights)
        Place(light, true);
}

float CDriftScene::Random()
{
    // xorshift32: plenty for scattering lights.
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return (m_random >> 8) * (1.0f / 16777216.0f);
}

void CDriftScene::Place(Light& light, bool anywhere)
{
    light.radius = 0.008f + 0.022f * Random() * Random();
    // Bigger lights are nearer, so they rise faster.
    light.rise = 0.008f + light.radius * 0.8f + 0.006f * Random();
    light.x = Random();
    light.y = anywhere ? Random() * 1.2f : 1.0f + light.radius * kGlowReach;
    light.swayWidth = 0.004f + 0.02f * Random();
    light.swayRate = 0.25f + 0.5f * Random();
    light.phase = kTwoPi * Random();
    light.color = kPalette[static_cast<int>(Random() * kPaletteSize) % kPaletteSize];
}

void CDriftScene::Advance(DWORD elapsedMs)
{
    const float seconds = elapsedMs / 1000.0f;
    m_seconds += seconds;
    for (Light& light : m_lights) {
        light.y -= light.rise * seconds;
        if (light.y < -light.radius * kGlowReach)
            Place(light, false);
    }
}

float CDriftScene::SwayedX(const Light& light) const
{
    return light.x + light.swayWidth * sinf(light.phase + light.swayRate * m_seconds);
}

float CDriftScene::Brightness(const Light& light) const
{
    return 0.8f + 0.2f * sinf(light.phase * 3 + kBreathRate * m_seconds);
}

RECT CDriftScene::LightBounds(int index, int width, int height) const
{
    const Light& light = m_lights[index];
    const float x = SwayedX(light) * width;
    const float y = light.y * height;
    // One pixel of slack on each side covers the rounding in CFlatBrush::Circle.
    const float reach = light.radius * kGlowReach * height + 1;
    RECT bounds = { static_cast<LONG>(x - reach) - 1, static_cast<LONG>(y - reach) - 1,
                    static_cast<LONG>(x + reach) + 2, static_cast<LONG>(y + reach) + 2 };
    return bounds;
}

void CDriftScene::DrawSky(HDC dc, int width, int height) const
{
    CFlatBrush brush(dc);
    for (int top = 0; top < height; top += kSkyBand) {
        RECT band = { 0, top, width, top + kSkyBand };
        SetDCBrushColor(dc, SkyAt(static_cast<float>(top) / height));
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    // Faint stars in the upper sky, the same ones for the same seed and size.
    DWORD random = m_starSeed;
    const int stars = width * height / kPixelsPerStar;
    for (int star = 0; star < stars; ++star) {
        random = random * 1664525u + 1013904223u;
        const int x = static_cast<int>((random >> 8) % static_cast<DWORD>(width > 0 ? width : 1));
        random = random * 1664525u + 1013904223u;
        const float fraction = ((random >> 8) % 1000) / 1000.0f * 0.7f;
        const int y = static_cast<int>(fraction * height);
        const float glint = 0.25f + ((random >> 4) % 100) / 250.0f;
        SetPixel(dc, x, y, MixColor(SkyAt(fraction), RGB(255, 255, 240), glint * (1 - fraction)));
    }
}

void CDriftScene::DrawLights(HDC dc, int width, int height) const
{
    CFlatBrush brush(dc);
    // Ring by ring across all lights, from the faint edges of the glows inwards: where two glows
    // overlap, the brighter ring lies on top, as light adds up, and no dark edge cuts into a light.
    const int rings = Clamp(height / kPixelsPerRing, kFewestRings, kMostRings);
    for (int ring = 0; ring < rings; ++ring) {
        const float step = static_cast<float>(ring + 1) / rings;
        for (const Light& light : m_lights) {
            const float radius = light.radius * height * (kGlowReach - (kGlowReach - 1) * step);
            const COLORREF color = MixColor(SkyAt(light.y), light.color, step * step * Brightness(light));
            brush.Circle(SwayedX(light) * width, light.y * height, radius, color);
        }
    }
    for (const Light& light : m_lights) {
        const COLORREF core = MixColor(light.color, RGB(255, 252, 240), 0.6f * Brightness(light));
        brush.Circle(SwayedX(light) * width, light.y * height, light.radius * height * kCoreSize, core);
    }
}
