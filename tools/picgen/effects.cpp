// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/effects.h"

#include <algorithm>
#include <cmath>

namespace picgen {

namespace {

Canvas Behind(const Canvas& front, const Canvas& back) {
    Canvas out = back;
    out.Draw(front, 0, 0);
    return out;
}

}  // namespace

void AddOutline(Canvas& canvas, Rgba colour, int radius) {
    Canvas ring(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            float a = 0.0f;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (canvas.Inside(x + dx, y + dy)) a = std::max(a, canvas.At(x + dx, y + dy).a);
            ring.At(x, y) = WithAlpha(colour, a * colour.a);
        }
    }
    canvas = Behind(canvas, ring);
}

void AddShadow(Canvas& canvas, Rgba colour, int dx, int dy) {
    Canvas shadow(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Inside(x - dx, y - dy))
                shadow.At(x, y) = WithAlpha(colour, canvas.At(x - dx, y - dy).a * colour.a);
    canvas = Behind(canvas, shadow);
}

void Blur(Canvas& canvas, int radius) {
    int w = canvas.Width(), h = canvas.Height();
    auto pass = [&](bool horizontal) {
        Canvas out(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float r = 0, g = 0, b = 0, a = 0;
                int n = 0;
                for (int k = -radius; k <= radius; ++k) {
                    int sx = horizontal ? x + k : x, sy = horizontal ? y : y + k;
                    ++n;
                    if (!canvas.Inside(sx, sy)) continue;
                    const Rgba& p = canvas.At(sx, sy);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
                out.At(x, y) = a > 0 ? Rgba{r / a, g / a, b / a, a / n} : Rgba{};
            }
        }
        canvas = std::move(out);
    };
    for (int i = 0; i < 3; ++i) {
        pass(true);
        pass(false);
    }
}

void AddGlow(Canvas& canvas, Rgba colour, int radius, float strength) {
    Canvas glow = Tinted(canvas, colour);
    Blur(glow, radius);
    for (int y = 0; y < glow.Height(); ++y)
        for (int x = 0; x < glow.Width(); ++x) glow.At(x, y).a = std::min(1.0f, glow.At(x, y).a * strength);
    canvas = Behind(canvas, glow);
}

Canvas Tinted(const Canvas& canvas, Rgba colour) {
    Canvas out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) out.At(x, y) = WithAlpha(colour, canvas.At(x, y).a * colour.a);
    return out;
}

float Hash01(uint32_t a, uint32_t b, uint32_t seed) {
    uint32_t h = a * 0x8da6b343u ^ b * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / static_cast<float>(0x1000000);
}

float ValueNoise(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    float tx = x - fx, ty = y - fy;
    auto ix = static_cast<uint32_t>(static_cast<int32_t>(fx));
    auto iy = static_cast<uint32_t>(static_cast<int32_t>(fy));
    float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    float a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    float c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float FractalNoise(float x, float y, int octaves, uint32_t seed) {
    float sum = 0, weight = 0, amp = 1, freq = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x * freq, y * freq, seed + i * 101);
        weight += amp;
        amp *= 0.5f;
        freq *= 2.0f;
    }
    return sum / weight;
}

}  // namespace picgen
