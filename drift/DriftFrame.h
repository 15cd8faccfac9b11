// Drift's picture, kept in a bitmap: the sky drawn once for each size, and each light's glow over it,
// composed anew only where a light moved or its colours changed.
#pragma once

#include <windows.h>

#include <vector>

#include "drift/BackBuffer.h"
#include "drift/DriftScene.h"
#include "drift/LightGlow.h"

class CDriftFrame {
public:
    // Makes the picture width x height and composes it whole, when its size changed; FALSE when GDI
    // cannot make it.
    BOOL Fit(const CDriftScene& scene, int width, int height);
    // Composes the picture anew where the scene changed since it was last composed; changed gets the
    // rectangles that changed, each on its own.
    void Update(const CDriftScene& scene, std::vector<RECT>& changed);
    const CBackBuffer& Picture() const { return m_frame; }

private:
    // What the picture shows of a light.
    struct Shown {
        RECT bounds;
        int discs;
        COLORREF colors[CDriftScene::kMostRings + 1];
    };

    void Follow(const CDriftScene& scene, std::vector<RECT>& changed);
    static void JoinNear(std::vector<RECT>& areas);
    void Compose(RECT area);

    CBackBuffer m_sky;
    CBackBuffer m_frame;
    CLightGlow m_glows[CDriftScene::kLightCount];
    Shown m_shown[CDriftScene::kLightCount] = {};
};
