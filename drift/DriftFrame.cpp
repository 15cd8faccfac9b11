#include "drift/DriftFrame.h"

#include <string.h>

#include <algorithm>

namespace {

// What showing one more rectangle costs, in pixels shown: the system's work for each, and the display's.
const int kPixelsWorthAnArea = 4 * 1024;

int Area(const RECT& area)
{
    return (area.right - area.left) * (area.bottom - area.top);
}

DWORD PixelOf(COLORREF color)
{
    return static_cast<DWORD>(GetRValue(color)) << 16 | static_cast<DWORD>(GetGValue(color)) << 8 | GetBValue(color);
}

bool SameLook(const CDriftScene::LightLook& look, const RECT& bounds, const RECT& shownBounds, int discs,
              const COLORREF* colors)
{
    return EqualRect(&bounds, &shownBounds) && look.discs == discs &&
           memcmp(look.colors, colors, look.discs * sizeof look.colors[0]) == 0;
}

}  // namespace

BOOL CDriftFrame::Fit(const CDriftScene& scene, int width, int height)
{
    if (m_frame.Dc() && width == m_frame.Width() && height == m_frame.Height())
        return TRUE;
    if (!m_sky.Resize(width, height) || !m_frame.Resize(width, height))
        return FALSE;
    scene.DrawSky(m_sky.Dc(), width, height);
    GdiFlush();
    for (Shown& shown : m_shown)
        SetRectEmpty(&shown.bounds);
    Areas everything;
    Follow(scene, everything);
    Compose({ 0, 0, width, height });
    return TRUE;
}

void CDriftFrame::Update(const CDriftScene& scene, Areas& changed)
{
    changed.count = 0;
    Follow(scene, changed);
    for (const RECT& area : changed)
        Compose(area);
}

// Where a light moved or changed, both where it was and where it is now changed: one rectangle
// around both when they overlap, as a light moves a few pixels a frame, else each on its own.
void CDriftFrame::Follow(const CDriftScene& scene, Areas& changed)
{
    for (int index = 0; index < CDriftScene::kLightCount; ++index) {
        const CDriftScene::LightLook look = scene.Look(index, m_frame.Width(), m_frame.Height());
        const bool reshaped = m_glows[index].Prepare(look);
        const RECT bounds = m_glows[index].Bounds(look.x, look.y);
        Shown& shown = m_shown[index];
        if (!reshaped && SameLook(look, bounds, shown.bounds, shown.discs, shown.colors))
            continue;
        RECT both;
        if (IntersectRect(&both, &bounds, &shown.bounds)) {
            UnionRect(&both, &bounds, &shown.bounds);
            changed.items[changed.count++] = both;
        } else {
            if (!IsRectEmpty(&shown.bounds))
                changed.items[changed.count++] = shown.bounds;
            if (!IsRectEmpty(&bounds))
                changed.items[changed.count++] = bounds;
        }
        shown.bounds = bounds;
        shown.discs = look.discs;
        memcpy(shown.colors, look.colors, sizeof shown.colors);
    }
    // Only what lies in the picture.
    const RECT picture = { 0, 0, m_frame.Width(), m_frame.Height() };
    for (int index = 0; index < changed.count; ++index)
        IntersectRect(&changed.items[index], &changed.items[index], &picture);
    RECT* const kept = std::remove_if(changed.items, changed.items + changed.count,
                                      [](const RECT& area) { return IsRectEmpty(&area) != FALSE; });
    changed.count = static_cast<int>(kept - changed.items);
    JoinNear(changed);
}

// Rectangles near each other are shown as one: apart, each would cost more than the pixels between them.
void CDriftFrame::JoinNear(Areas& areas)
{
    RECT* const items = areas.items;
    for (bool joined = true; joined;) {
        joined = false;
        for (int first = 0; first < areas.count; ++first)
            for (int second = first + 1; second < areas.count;) {
                RECT both;
                UnionRect(&both, &items[first], &items[second]);
                if (Area(both) > Area(items[first]) + Area(items[second]) + kPixelsWorthAnArea) {
                    ++second;
                    continue;
                }
                items[first] = both;
                std::copy(items + second + 1, items + areas.count, items + second);
                --areas.count;
                joined = true;
            }
    }
}

// The sky, then disc by disc across all lights, from the faint edges of the glows inwards: where glows
// overlap, the brighter ring lies on top, as light adds up. Each disc fills only what no later disc of
// its light covers.
void CDriftFrame::Compose(RECT area)
{
    int lit[CDriftScene::kLightCount];  // the lights whose glows lie in area
    int litCount = 0;
    for (int index = 0; index < CDriftScene::kLightCount; ++index) {
        RECT part;
        if (IntersectRect(&part, &area, &m_shown[index].bounds))
            lit[litCount++] = index;
    }
    // By GDI, whose copy is the system's fastest.
    BitBlt(m_frame.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, m_sky.Dc(), area.left,
           area.top, SRCCOPY);
    GdiFlush();
    for (int disc = 0; disc <= CDriftScene::kMostRings; ++disc) {
        for (int at = 0; at < litCount; ++at) {
            const int index = lit[at];
            const Shown& shown = m_shown[index];
            if (disc >= shown.discs)
                continue;
            const DWORD pixel = PixelOf(shown.colors[disc]);
            for (const CLightGlow::Run& run : m_glows[index].Runs(disc)) {
                const int y = shown.bounds.top + run.y;
                const int left = std::max<int>(shown.bounds.left + run.left, area.left);
                const int right = std::min<int>(shown.bounds.left + run.right, area.right);
                if (y >= area.top && y < area.bottom && left < right)
                    std::fill(m_frame.Row(y) + left, m_frame.Row(y) + right, pixel);
            }
        }
    }
}
