// SPDX-License-Identifier: GPL-3.0-or-later
// "tails.bfg": the 17 board tiles, 32 x 64 each, code k at x = 32 (k - 1).
// The upper half is the tile's top face (its own cell); the lower half holds
// its front face, seen over the cell below when that cell is empty.
#include <cmath>
#include <string>

#include "palette.h"
#include "pictures.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

namespace {

constexpr int kFront = 12;  // height of the front face in pixels

// A raised slab: the top face in `top`, the front face darker below it.
void Slab(Canvas& c, Rgba top, uint32_t seed) {
    Rgba front = Shade(top, 0.55f);
    c.Fill(Box(0, 24, 32, 8 + kFront, 3), Vertical(32, Shade(front, 1.15f), 32 + kFront, Shade(front, 0.6f)));
    // The seam where the front meets the top catches the light.
    c.FillRect({1, 32, 30, 1}, Shade(top, 0.8f));
    c.Fill(Box(0, 0, 32, 32, 3), [&](float x, float y) {
        float n = FractalNoise(x / 6, y / 6, 3, seed) - 0.5f;
        return Shade(Mix(Shade(top, 1.08f), Shade(top, 0.92f), (x + y) / 64), 1.0f + n * 0.10f);
    });
    // Bevel: light on the top and left edges, shade on the right and bottom.
    c.Fill(Subtract(Box(0, 0, 32, 32, 3), Box(1.5f, 1.5f, 30.5f, 30.5f, 2)), [&](float x, float y) {
        return (x + y < 31) ? Shade(top, 1.35f) : Shade(top, 0.7f);
    });
    c.Fill(Outline(Box(0.5f, 0.5f, 31, 31 + kFront, 3), 1), Shade(top, 0.35f));
}

void Numeral(Canvas& c, int value, float cx, float y, int size) {
    Canvas glyph(32, 32);
    DrawTextCentred(glyph, std::to_string(value), {"DejaVu Sans", true, size}, static_cast<int>(cx), static_cast<int>(y),
                    Solid(Hex(0xffffff)));
    AddOutline(glyph, WithAlpha(palette::kInk, 0.9f), 1);
    c.Draw(glyph, 0, 0);
}

// The shape that carries a mark's value besides its numeral and colour.
Sdf MarkShape(int value) {
    switch (value) {
        case 1: return Circle(16, 16, 12);
        case 2: return Rotate(Box(6, 6, 20, 20, 2.5f), 16, 16, static_cast<float>(M_PI) / 4);
        case 3: return RegularPolygon(16, 16.5f, 6, 13, static_cast<float>(M_PI) / 6);
        default: return Box(4, 4, 24, 24, 3);
    }
}

void Mark(Canvas& c, int value) {
    Slab(c, Hex(0xb8ad9c), 10 + value);
    Rgba colour = palette::MarkColour(value);
    Sdf shape = MarkShape(value);
    c.Fill(Translate(shape, 0, 1.5f), WithAlpha(palette::kInk, 0.45f));
    c.Fill(shape, Vertical(4, Shade(colour, 1.3f), 28, Shade(colour, 0.75f)));
    c.Fill(Outline(shape, 1.2f), Shade(colour, 0.45f));
    c.Fill(Intersect(Grow(shape, -2.5f), Box(0, 0, 32, 11)), WithAlpha(Hex(0xffffff), 0.25f));
    Numeral(c, value, 16, 6, 17);
}

void Goal(Canvas& c, int value) {
    Slab(c, Hex(0xe8dcc0), 20 + value);
    Rgba colour = palette::MarkColour(value);
    Sdf star = Star(16, 16.5f, 8, 15.5f, 11, 0);
    c.Fill(Translate(star, 0, 1.5f), WithAlpha(palette::kInk, 0.4f));
    c.Fill(star, Radial(13, 12, 18, Shade(palette::kGold, 1.3f), palette::kGoldDark));
    c.Fill(Outline(star, 1), Shade(palette::kGoldDark, 0.6f));
    // The inner plate has the shape of the marks it asks for.
    Sdf plate = Scale(MarkShape(value), 16, 16.5f, value == 2 ? 0.78f : 0.72f);
    c.Fill(plate, Vertical(7, Shade(colour, 1.25f), 26, Shade(colour, 0.8f)));
    c.Fill(Outline(plate, 1.2f), palette::kCream);
    Numeral(c, value, 16, 7, 15);
}

void Floor(Canvas& c) {
    Slab(c, palette::kStone, 9);
    c.Fill(Outline(Box(6, 6, 20, 20, 2), 1), WithAlpha(Shade(palette::kStone, 0.75f), 0.6f));
}

void Warp(Canvas& c, bool second) {
    Slab(c, Hex(0x9aa2b8), second ? 31 : 30);
    Rgba glow = second ? Hex(0xe070f0) : Hex(0x50d8f0);
    // The first warp is round, the second square-cornered, so the two pairs
    // differ in shape as well as colour.
    auto ring = [&](float r) {
        return second ? Rotate(Box(16 - r, 16 - r, 2 * r, 2 * r, 1.5f), 16, 16, static_cast<float>(M_PI) / 4)
                      : Circle(16, 16, r);
    };
    c.Fill(ring(second ? 11 : 13), Radial(16, 16, 13, Hex(0x060818), Shade(glow, 0.35f)));
    for (float r : {4.0f, 8.0f, 12.0f}) {
        float rr = second ? r * 0.82f : r;
        c.Fill(Outline(ring(rr), 1.4f), WithAlpha(Shade(glow, 1.0f + r / 30), 0.95f - r / 40));
    }
    c.Fill(Circle(16, 16, 2.2f), Hex(0xffffff));
}

void Arrow(Canvas& c, int direction) {  // 0 up, 1 right, 2 down, 3 left
    Slab(c, Hex(0x8fa8c8), 40 + direction);
    Sdf arrow = Polygon({{16, 4}, {28, 16}, {21, 16}, {21, 28}, {11, 28}, {11, 16}, {4, 16}});
    arrow = Rotate(arrow, 16, 16, static_cast<float>(M_PI) / 2 * direction);
    c.Fill(Translate(arrow, 0, 1.5f), WithAlpha(palette::kInk, 0.45f));
    c.Fill(arrow, Vertical(4, Hex(0xfff4d0), 28, Hex(0xf0b040)));
    c.Fill(Outline(arrow, 1.2f), Hex(0x6a3a10));
}

void Burst(Canvas& c) {
    Slab(c, Hex(0xc8a8a0), 50);
    Sdf outer = Star(16, 16, 8, 15, 6.5f, static_cast<float>(M_PI) / 8);
    c.Fill(Translate(outer, 0, 1.5f), WithAlpha(palette::kInk, 0.45f));
    c.Fill(outer, Radial(16, 16, 15, Hex(0xfff0a0), Hex(0xe04020)));
    c.Fill(Outline(outer, 1), Hex(0x701808));
    c.Fill(Circle(16, 16, 4), Hex(0xfffbe8));
}

void Eraser(Canvas& c) {
    Slab(c, Hex(0xb8c8b0), 60);
    float turn = -static_cast<float>(M_PI) / 5;
    Sdf rubber = Rotate(Box(5, 10, 13, 12, 2), 16, 16, turn);
    Sdf sleeve = Rotate(Box(17, 10, 10, 12, 1.5f), 16, 16, turn);
    Sdf whole = Union(rubber, sleeve);
    c.Fill(Translate(whole, 0, 1.5f), WithAlpha(palette::kInk, 0.45f));
    c.Fill(rubber, Vertical(6, Hex(0xff9cb8), 26, Hex(0xd85a80)));
    c.Fill(sleeve, Vertical(6, Hex(0x70a8ff), 26, Hex(0x3060c0)));
    c.Fill(Outline(whole, 1.2f), palette::kInk);
    // Crumbs left behind by rubbing.
    for (auto [x, y] : {std::pair{6.0f, 26.0f}, {10.0f, 28.0f}, {4.0f, 22.0f}})
        c.Fill(Circle(x, y, 1.2f), Hex(0xd85a80));
}

}  // namespace

Picture Tiles() {
    Canvas sheet(32 * 17, 64);
    for (int code = 1; code <= 17; ++code) {
        Canvas tile(32, 64);
        if (code <= 4) Mark(tile, code);
        else if (code <= 8) Goal(tile, code - 4);
        else if (code == 9) Floor(tile);
        else if (code <= 11) Warp(tile, code == 11);
        else if (code <= 15) Arrow(tile, code - 12);
        else if (code == 16) Burst(tile);
        else Eraser(tile);
        sheet.Copy(tile, 32 * (code - 1), 0);
    }
    return {sheet, Format::Keyed};
}

}  // namespace pictures
