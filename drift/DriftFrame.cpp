#include "drift/DriftFrame.h"

#include <string.h>

#include <algorithm>

namespace {

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
    std::vector<RECT> everything;
    Follow(scene, everything);
    Compose({ 0, 0, width, height });
    return TRUE;
}

void CDriftFrame::Update(const CDriftScene& scene, std::vector<RECT>& changed)
{
    const size_t first = changed.size();
    Follow(scene, changed);
    for (size_t index = first; index < changed.size(); ++index)
        Compose(changed[index]);
}

// Where a light moved or changed, both where it was and where it is now changed: one rectangle
// around both when they overlap, as a light moves a few pixels a frame, else each on its own.
void CDriftFrame::Follow(const CDriftScene& scene, std::vector<RECT>& changed)
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
            changed.push_back(both);
        } else {
            if (!IsRectEmpty(&shown.bounds))
                changed.push_back(shown.bounds);
            if (!IsRectEmpty(&bounds))
                changed.push_back(bounds);
        }
        shown.bounds = bounds;
        shown.discs = look.discs;
        memcpy(shown.colors, look.colors, sizeof shown.colors);
    }
    // Only what lies in the picture.
    const RECT picture = { 0, 0, m_frame.Width(), m_frame.Height() };
    for (RECT& area : changed)
        IntersectRect(&area, &area, &picture);
    changed.erase(std::remove_if(changed.begin(), changed.end(), [](const RECT& area) { return IsRectEmpty(&area); }),
                  changed.end());
}

// The sky, then each light's disc of the highest level over each pixel; of two alike the later light's.
void CDriftFrame::Compose(RECT area)
{
    const int width = area.right - area.left;
    for (int y = area.top; y < area.bottom; ++y)
        memcpy(m_frame.Row(y) + area.left, m_sky.Row(y) + area.left, width * sizeof(DWORD));
    m_levels.assign(static_cast<size_t>(width) * (area.bottom - area.top), 0);
    for (int index = 0; index < CDriftScene::kLightCount; ++index) {
        const Shown& shown = m_shown[index];
        RECT part;
        if (!IntersectRect(&part, &area, &shown.bounds))
            continue;
        DWORD pixels[CDriftScene::kMostRings + 2] = {};
        for (int disc = 0; disc < shown.discs; ++disc)
            pixels[disc + 1] = PixelOf(shown.colors[disc]);
        const int count = part.right - part.left;
        for (int y = part.top; y < part.bottom; ++y) {
            const BYTE* level = m_glows[index].Row(y - shown.bounds.top) + (part.left - shown.bounds.left);
            BYTE* shownLevel = &m_levels[(y - area.top) * width + (part.left - area.left)];
            DWORD* pixel = m_frame.Row(y) + part.left;
            for (int x = 0; x < count; ++x) {
                if (level[x] && level[x] >= shownLevel[x]) {
                    shownLevel[x] = level[x];
                    pixel[x] = pixels[level[x]];
                }
            }
        }
    }
}
