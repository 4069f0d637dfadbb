// SPDX-License-Identifier: GPL-3.0-or-later
// A floating-point RGBA picture that shapes, gradients and text are composed
// on before it is written out as PNG.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace picgen {

// Straight (not premultiplied) colour, components 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// Colour from 0xRRGGBB and an opacity.
Rgba Hex(uint32_t rgb, float alpha = 1.0f);
// Linear mix of two colours, t = 0 gives a.
Rgba Mix(Rgba a, Rgba b, float t);
// The colour scaled towards black (f < 1) or white (f > 1).
Rgba Shade(Rgba c, float f);
Rgba WithAlpha(Rgba c, float a);

// A signed distance in pixels from a point to a shape: negative inside.
using Sdf = std::function<float(float x, float y)>;
// The colour to paint at a point.
using Paint = std::function<Rgba(float x, float y)>;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Rgba fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgba& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Composites c over the pixel with the given coverage (0..1).
    void Blend(int x, int y, Rgba c, float coverage = 1.0f);
    // Fills the shape with anti-aliased edges, painting each pixel centre.
    void Fill(const Sdf& shape, const Paint& paint);
    void Fill(const Sdf& shape, Rgba colour);
    // Same, limited to a rectangle (for speed on large pictures).
    void Fill(const Sdf& shape, const Paint& paint, Rect area);
    // Paints every pixel of the area (a rectangle of solid colour or a gradient).
    void FillRect(Rect area, const Paint& paint);
    void FillRect(Rect area, Rgba colour);
    // Composites another canvas with its top-left at (x, y).
    void Draw(const Canvas& src, int x, int y, float opacity = 1.0f);
    // Copies pixels of another canvas unchanged (no compositing).
    void Copy(const Canvas& src, int x, int y);
    // The part of this canvas inside the rectangle, as a new canvas.
    Canvas Crop(Rect area) const;
    // The canvas mirrored left to right.
    Canvas Mirrored() const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

// Gradients as paints.
Paint Vertical(float y0, Rgba top, float y1, Rgba bottom);
Paint Horizontal(float x0, Rgba left, float x1, Rgba right);
Paint Radial(float cx, float cy, float radius, Rgba inner, Rgba outer);
Paint Solid(Rgba colour);

}  // namespace picgen
