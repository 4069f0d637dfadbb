// SPDX-License-Identifier: GPL-3.0-or-later
// The per-pixel rule of every image, box and text draw, written once as the
// reference the fast span paths are checked against.
//
// Rounding: every product of two 0..255 values is divided by 255 and rounded
// to the nearest integer (brightness, the blend weight times the pixel's own
// alpha, and the final mix target = source x k + target x (1 - k)).
#pragma once

#include <cstdint>

namespace media_detail {

// round(x / 255) for 0 <= x <= 255 * 255.
constexpr uint32_t Div255(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

// How source pixels of one draw land on the target.
struct PixelOp {
    uint32_t weight = 255;  // blend opacity 0..255; 255 when blending is off
    uint32_t brightR = 255;
    uint32_t brightG = 255;
    uint32_t brightB = 255;
    bool skipKey = false;   // pixels equal to key are invisible
    uint32_t key = 0;
    bool useAlpha = false;  // the source's own alpha scales the weight

    bool Tinted() const { return brightR != 255 || brightG != 255 || brightB != 255; }
};

constexpr uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

constexpr uint32_t ApplyBrightness(uint32_t c, const PixelOp& op) {
    return (Div255(Channel(c, 16) * op.brightR) << 16) | (Div255(Channel(c, 8) * op.brightG) << 8) |
           Div255(Channel(c, 0) * op.brightB);
}

// Per channel round((s * k + d * (255 - k)) / 255); red and blue share one
// multiply because each lane stays below 2^16.
constexpr uint32_t Mix(uint32_t s, uint32_t d, uint32_t k) {
    const uint32_t inv = 255 - k;
    uint32_t rb = (s & 0xFF00FF) * k + (d & 0xFF00FF) * inv + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t g = Channel(s, 8) * k + Channel(d, 8) * inv + 0x80;
    g = ((g + (g >> 8)) >> 8) & 0xFF;
    return rb | (g << 8);
}

// Draws one source pixel with alpha a onto the target pixel d.
inline void PlotPixel(uint32_t& d, uint32_t s, uint32_t a, const PixelOp& op) {
    if (op.skipKey && s == op.key) return;
    const uint32_t w = op.useAlpha ? Div255(op.weight * a) : op.weight;
    if (w == 0) return;
    if (op.Tinted()) s = ApplyBrightness(s, op);
    d = w == 255 ? s : Mix(s, d, w);
}

}  // namespace media_detail
