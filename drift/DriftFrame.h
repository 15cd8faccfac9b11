// Drift's picture, kept in a bitmap: the sky drawn once for each size, and each light's glow over it,
// composed anew only where a light moved or its colours changed.
#pragma once

#include <windows.h>

#include "drift/BackBuffer.h"
#include "drift/DriftScene.h"
#include "drift/LightGlow.h"

class CDriftFrame {
public:
    // The rectangles that changed, each on its own: for each light where it was and where it is, at most.
    // A plain array: the C++ library's containers would bring its exception runtime into the module, eight
    // times Drift's own size.
    struct Areas {
        RECT items[2 * CDriftScene::kLightCount];
        int count = 0;
        const RECT* begin() const { return items; }
        const RECT* end() const { return items + count; }
    };

    // Makes the picture width x height and composes it whole, when its size changed; FALSE when GDI
    // cannot make it.
    BOOL Fit(const CDriftScene& scene, int width, int height);
    // Composes the picture anew where the scene changed since it was last composed; changed gets the
    // rectangles that changed, each on its own.
    void Update(const CDriftScene& scene, Areas& changed);
    const CBackBuffer& Picture() const { return m_frame; }

private:
    // What the picture shows of a light.
    struct Shown {
        RECT bounds;
        int discs;
        COLORREF colors[CDriftScene::kMostRings + 1];
    };

    void Follow(const CDriftScene& scene, Areas& changed);
    static void JoinNear(Areas& areas);
    void Compose(RECT area);

    CBackBuffer m_sky;
    CBackBuffer m_frame;
    CLightGlow m_glows[CDriftScene::kLightCount];
    Shown m_shown[CDriftScene::kLightCount] = {};
};
