// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordmark.h"

#include <cmath>

#include "palette.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

void Wordmark(Canvas& c, float cx, float y, int pixelSize) {
    Font font{"DejaVu Serif", true, pixelSize};
    Canvas mask = TextMask("VELTRIM", font);
    int rim = std::max(2, pixelSize / 14);
    Canvas word(mask.Width() + 4 * rim, mask.Height() + 4 * rim);
    float h = static_cast<float>(mask.Height());
    DrawText(word, "VELTRIM", font, 2 * rim, 2 * rim, [&](float, float py) {
        float t = (py - 2 * rim) / h;
        // Bright top, a band of light across the middle, deep gold below.
        if (t < 0.52f) return Mix(Hex(0xfffbe6), Hex(0xffd860), t / 0.52f);
        return Mix(Hex(0xf0a020), Hex(0xb05810), (t - 0.52f) / 0.48f);
    });
    AddOutline(word, Hex(0x3a1a08), rim);
    AddShadow(word, WithAlpha(Hex(0x000000), 0.6f), rim, rim + 1);
    c.Draw(word, static_cast<int>(cx - word.Width() / 2.0f), static_cast<int>(y));
}

void Emblem(Canvas& c, float cx, float cy, float size) {
    float s = size / 2;
    const float offsets[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (int v = 1; v <= 4; ++v) {
        float x = cx + offsets[v - 1][0] * s * 0.72f, y = cy + offsets[v - 1][1] * s * 0.72f;
        Sdf gem = Rotate(Box(x - s * 0.42f, y - s * 0.42f, s * 0.84f, s * 0.84f, s * 0.12f), x, y,
                         static_cast<float>(M_PI) / 4);
        Rgba colour = palette::MarkColour(v);
        c.Fill(Translate(gem, 0, s * 0.08f), WithAlpha(Hex(0x000000), 0.35f));
        c.Fill(gem, Vertical(y - s * 0.6f, Shade(colour, 1.35f), y + s * 0.6f, Shade(colour, 0.8f)));
        c.Fill(Outline(gem, std::max(1.0f, s * 0.06f)), Shade(colour, 0.45f));
    }
    Sdf star = Star(cx, cy, 4, s * 0.42f, s * 0.14f);
    c.Fill(star, palette::kCream);
}

}  // namespace pictures
