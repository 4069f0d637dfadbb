// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenery.h"

#include <cmath>

#include "palette.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"

namespace pictures {

using namespace picgen;

void Sky(Canvas& c, Rgba top, Rgba bottom, Rgba cloud, float cloudiness, uint32_t seed) {
    float h = static_cast<float>(c.Height());
    c.FillRect({0, 0, c.Width(), c.Height()}, [&](float x, float y) {
        Rgba sky = Mix(top, bottom, y / h);
        float n = FractalNoise(x / 140, y / 50, 5, seed);
        float amount = std::clamp((n - (1 - cloudiness)) * 3.0f, 0.0f, 1.0f);
        return Mix(sky, cloud, amount * 0.6f);
    });
}

void Stars(Canvas& c, int count, float lowest, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        float x = Hash01(i, 1, seed) * c.Width(), y = Hash01(i, 2, seed) * lowest;
        float bright = 0.35f + 0.65f * Hash01(i, 3, seed) * (1 - y / lowest * 0.6f);
        if (Hash01(i, 4, seed) > 0.93f) {
            c.Fill(Star(x, y, 4, 4, 0.9f), WithAlpha(Hex(0xffffff), bright));
            c.Fill(Circle(x, y, 1.2f), WithAlpha(Hex(0xffffff), bright));
        } else {
            c.Fill(Circle(x, y, 0.55f + Hash01(i, 5, seed) * 0.5f), WithAlpha(Hex(0xfff8e8), bright));
        }
    }
}

void Hills(Canvas& c, float baseline, float height, Rgba colour, Rgba shade, uint32_t seed) {
    c.FillRect({0, static_cast<int>(baseline - height * 1.5f), c.Width(), c.Height()}, [&](float x, float y) {
        float ridge = baseline - height * FractalNoise(x / 90, 0.5f, 4, seed);
        if (y < ridge) return Rgba{};
        return Mix(colour, shade, std::min((y - ridge) / 120, 1.0f));
    });
}

void TilePattern(Canvas& c, Rect area, int cell, Rgba light, Rgba dark) {
    c.FillRect(area, [&](float x, float y) {
        int cx = static_cast<int>(std::floor(x / cell)), cy = static_cast<int>(std::floor(y / cell));
        return ((cx + cy) & 1) ? light : dark;
    });
}

void PanelBox(Canvas& c, float x, float y, float w, float h, Rgba fill, float opacity) {
    c.Fill(Box(x + 2, y + 4, w, h, 8), WithAlpha(Hex(0x000000), 0.35f * opacity));
    c.Fill(Box(x, y, w, h, 8), WithAlpha(fill, fill.a * opacity));
    c.Fill(Outline(Box(x + 1, y + 1, w - 2, h - 2, 7), 1.5f), WithAlpha(Shade(fill, 1.5f), opacity));
}

}  // namespace pictures
