// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-picture effects: outlines, shadows, glows, noise.
#pragma once

#include <cstdint>

#include "picgen/canvas.h"

namespace picgen {

// Puts a solid outline of the given radius (in pixels, 1 = the eight
// neighbours) behind everything opaque in the canvas.
void AddOutline(Canvas& canvas, Rgba colour, int radius = 1);
// Puts a copy of the canvas's shape, offset and tinted, behind it.
void AddShadow(Canvas& canvas, Rgba colour, int dx, int dy);
// Box blur of the given radius, applied three times (close to a Gaussian).
void Blur(Canvas& canvas, int radius);
// A soft glow of the canvas's shape in a colour, behind it.
void AddGlow(Canvas& canvas, Rgba colour, int radius, float strength = 1.0f);
// Replaces every colour with the given one, keeping the coverage.
Canvas Tinted(const Canvas& canvas, Rgba colour);

// Deterministic value noise in 0..1 at a point, with a seed.
float ValueNoise(float x, float y, uint32_t seed);
// Sum of octaves of value noise, 0..1.
float FractalNoise(float x, float y, int octaves, uint32_t seed);
// A hash of integers to 0..1, for scattering stars and specks.
float Hash01(uint32_t a, uint32_t b, uint32_t seed);

}  // namespace picgen
