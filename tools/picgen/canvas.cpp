// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/canvas.h"

#include <algorithm>
#include <cmath>

namespace picgen {

Rgba Hex(uint32_t rgb, float alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Rgba Mix(Rgba a, Rgba b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba Shade(Rgba c, float f) {
    if (f <= 1.0f) return {c.r * f, c.g * f, c.b * f, c.a};
    float t = std::min(f - 1.0f, 1.0f);
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t, c.a};
}

Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
    if (!Inside(x, y)) return;
    float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (sa <= 0.0f) return;
    Rgba& d = At(x, y);
    float oa = sa + d.a * (1.0f - sa);
    if (oa <= 0.0f) {
        d = {};
        return;
    }
    float k = d.a * (1.0f - sa);
    d.r = (c.r * sa + d.r * k) / oa;
    d.g = (c.g * sa + d.g * k) / oa;
    d.b = (c.b * sa + d.b * k) / oa;
    d.a = oa;
}

void Canvas::Fill(const Sdf& shape, const Paint& paint, Rect area) {
    int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
    int x1 = std::min(area.x + area.w, width_), y1 = std::min(area.y + area.h, height_);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float coverage = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
            if (coverage > 0.0f) Blend(x, y, paint(px, py), coverage);
        }
    }
}

void Canvas::Fill(const Sdf& shape, const Paint& paint) { Fill(shape, paint, {0, 0, width_, height_}); }
void Canvas::Fill(const Sdf& shape, Rgba colour) { Fill(shape, Solid(colour)); }

void Canvas::FillRect(Rect area, const Paint& paint) {
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height_); ++y)
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.w, width_); ++x)
            Blend(x, y, paint(x + 0.5f, y + 0.5f));
}

void Canvas::FillRect(Rect area, Rgba colour) { FillRect(area, Solid(colour)); }

void Canvas::Draw(const Canvas& src, int x, int y, float opacity) {
    for (int sy = 0; sy < src.height_; ++sy)
        for (int sx = 0; sx < src.width_; ++sx) Blend(x + sx, y + sy, src.At(sx, sy), opacity);
}

void Canvas::Copy(const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.height_; ++sy)
        for (int sx = 0; sx < src.width_; ++sx)
            if (Inside(x + sx, y + sy)) At(x + sx, y + sy) = src.At(sx, sy);
}

Canvas Canvas::Crop(Rect area) const {
    Canvas out(area.w, area.h);
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            if (Inside(area.x + x, area.y + y)) out.At(x, y) = At(area.x + x, area.y + y);
    return out;
}

Canvas Canvas::Mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.At(width_ - 1 - x, y) = At(x, y);
    return out;
}

Paint Vertical(float y0, Rgba top, float y1, Rgba bottom) {
    return [=](float, float y) { return Mix(top, bottom, (y - y0) / (y1 - y0)); };
}

Paint Horizontal(float x0, Rgba left, float x1, Rgba right) {
    return [=](float x, float) { return Mix(left, right, (x - x0) / (x1 - x0)); };
}

Paint Radial(float cx, float cy, float radius, Rgba inner, Rgba outer) {
    return [=](float x, float y) { return Mix(inner, outer, std::hypot(x - cx, y - cy) / radius); };
}

Paint Solid(Rgba colour) {
    return [=](float, float) { return colour; };
}

}  // namespace picgen
