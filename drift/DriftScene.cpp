#include "drift/DriftScene.h"

#include <math.h>

#include "drift/FlatBrush.h"

namespace {

const COLORREF kSkyTop = RGB(6, 8, 28);
const COLORREF kSkyBottom = RGB(54, 38, 92);
// Warm lanterns mostly, a cool one now and then.
const COLORREF kPalette[] = {
    RGB(255, 190, 92),   // amber
    RGB(255, 190, 92),   // amber
    RGB(255, 150, 112),  // peach
    RGB(255, 150, 112),  // peach
    RGB(255, 226, 150),  // pale gold
    RGB(255, 226, 150),  // pale gold
    RGB(242, 132, 166),  // rose
    RGB(150, 222, 232),  // ice
};
const int kPaletteSize = sizeof kPalette / sizeof kPalette[0];

const COLORREF kWhite = RGB(255, 252, 240);  // a warm one

// Lights: sizes in fractions of the picture's height, speeds in heights per second. Most are small
// and far; the near, big ones rise faster. Each sways and breathes at a pace of its own.
const float kSmallestRadius = 0.008f;
const float kRadiusSpread = 0.022f;
const float kSlowestRise = 0.008f;
const float kRisePerRadius = 0.8f;
const float kRiseSpread = 0.006f;
const float kNarrowestSway = 0.004f;  // in widths
const float kSwaySpread = 0.02f;
const float kSlowestSway = 0.25f;  // radians per second
const float kSwayRateSpread = 0.5f;
const float kBreathRate = 0.7f;  // radians per second
const float kDimmest = 0.8f;     // of full brightness, at the bottom of a breath
const float kCoreWhiteness = 0.6f;

const int kPixelsPerStar = 11000;  // as many stars for the area in the preview as full screen
const float kStarryPart = 0.7f;    // of the sky, from the top
const float kFaintestStar = 0.25f;
const float kStarSpread = 0.4f;
const int kSkyBand = 2;  // pixels per gradient step
// Rings per glow: enough that no steps show full screen (CDriftScene::kMostRings), few where the glows
// are a few pixels wide.
const int kFewestRings = 3;
const int kPixelsPerRing = 64;  // of the picture's height
const float kGlowReach = 3.0f;  // glow radius in light radii
const float kCoreSize = 0.55f;  // bright core radius in light radii
const float kTwoPi = 6.2831853f;

// xorshift32: plenty for scattering lights. A number in [0, 1).
float NextRandom(DWORD& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state >> 8) * (1.0f / 16777216.0f);
}

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

}  // namespace

// xorshift32 must not start from 0.
CDriftScene::CDriftScene(DWORD firstRandom) : m_firstRandom(firstRandom ? firstRandom : 1), m_random(m_firstRandom)
{
    for (Light& light : m_lights)
        Place(light, true);
}

void CDriftScene::Place(Light& light, bool anywhere)
{
    light.radius = kSmallestRadius + kRadiusSpread * NextRandom(m_random) * NextRandom(m_random);
    light.rise = kSlowestRise + light.radius * kRisePerRadius + kRiseSpread * NextRandom(m_random);
    light.x = NextRandom(m_random);
    // At the start anywhere on the picture or just below it; later just below its bottom edge.
    light.y = anywhere ? NextRandom(m_random) * 1.2f : 1.0f + light.radius * kGlowReach;
    light.swayWidth = kNarrowestSway + kSwaySpread * NextRandom(m_random);
    light.swayRate = kSlowestSway + kSwayRateSpread * NextRandom(m_random);
    light.phase = kTwoPi * NextRandom(m_random);
    light.color = kPalette[static_cast<int>(NextRandom(m_random) * kPaletteSize)];
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
    // Out of step with the sway, which shares the phase.
    return kDimmest + (1 - kDimmest) * sinf(light.phase * 3 + kBreathRate * m_seconds);
}

CDriftScene::LightLook CDriftScene::Look(int index, int width, int height) const
{
    const Light& light = m_lights[index];
    LightLook look;
    look.x = SwayedX(light) * width;
    look.y = light.y * height;
    // From the faint edge of the glow inwards, as light adds up: no dark edge cuts into a light.
    const int rings = Clamp(height / kPixelsPerRing, kFewestRings, kMostRings);
    const float brightness = Brightness(light);
    for (int ring = 0; ring < rings; ++ring) {
        const float step = static_cast<float>(ring + 1) / rings;
        look.radii[ring] = light.radius * height * (kGlowReach - (kGlowReach - 1) * step);
        look.colors[ring] = MixColor(SkyAt(light.y), light.color, step * step * brightness);
    }
    look.radii[rings] = light.radius * height * kCoreSize;
    look.colors[rings] = MixColor(light.color, kWhite, kCoreWhiteness * brightness);
    look.discs = rings + 1;
    return look;
}

void CDriftScene::DrawSky(HDC dc, int width, int height) const
{
    CFlatBrush brush(dc);
    for (int top = 0; top < height; top += kSkyBand) {
        RECT band = { 0, top, width, top + kSkyBand };
        SetDCBrushColor(dc, SkyAt(static_cast<float>(top) / height));
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    // Faint stars in the upper sky, fading towards the horizon; the same ones for each size.
    DWORD random = m_firstRandom;
    const int stars = width * height / kPixelsPerStar;
    for (int star = 0; star < stars; ++star) {
        const int x = static_cast<int>(NextRandom(random) * width);
        const float fraction = NextRandom(random) * kStarryPart;
        const float glint = kFaintestStar + kStarSpread * NextRandom(random);
        SetPixel(dc, x, static_cast<int>(fraction * height), MixColor(SkyAt(fraction), kWhite, glint * (1 - fraction)));
    }
}
