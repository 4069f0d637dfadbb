// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces of scenery the backgrounds share.
#pragma once

#include <cstdint>

#include "picgen/canvas.h"

namespace pictures {

// A sky from `top` to `bottom` with soft clouds of the given colour.
void Sky(picgen::Canvas& c, picgen::Rgba top, picgen::Rgba bottom, picgen::Rgba cloud, float cloudiness, uint32_t seed);
// Scattered twinkling stars over the rows above `lowest`.
void Stars(picgen::Canvas& c, int count, float lowest, uint32_t seed);
// A range of hills whose ridge wanders around `baseline`.
void Hills(picgen::Canvas& c, float baseline, float height, picgen::Rgba colour, picgen::Rgba shade, uint32_t seed);
// The checked floor pattern of the board, faded in for depth.
void TilePattern(picgen::Canvas& c, picgen::Rect area, int cell, picgen::Rgba light, picgen::Rgba dark);
// A rounded panel with a light rim.
void PanelBox(picgen::Canvas& c, float x, float y, float w, float h, picgen::Rgba fill, float opacity = 1.0f);

// Behind a stage: the meadow (1), the night (2) or the dunes (3); the seed
// moves its clouds, stars and hills (0 is the look of "bg1.bfg" to "bg3.bfg").
void StageScenery(picgen::Canvas& c, int kind, uint32_t seed);
// A soft shadow where the board stands, so the tiles stand out.
void BoardShade(picgen::Canvas& c);
// The plate behind the counters, with their labels.
void CounterPlate(picgen::Canvas& c);
}  // namespace pictures
