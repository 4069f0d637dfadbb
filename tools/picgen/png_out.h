// SPDX-License-Identifier: GPL-3.0-or-later
// Writing canvases as 24-bit PNG files for the game.
#pragma once

#include <string>

#include "picgen/canvas.h"

namespace picgen {

// The game's transparent colour: pure green.
inline constexpr Rgba kKey{0, 1, 0, 1};

// Writes an opaque picture: everything is composited over the backdrop colour.
void WriteOpaquePng(const Canvas& canvas, const std::string& path, Rgba backdrop = {0, 0, 0, 1});
// Writes a sprite sheet: pixels at least half covered keep their colour (made
// fully opaque), the rest become pure green. Opaque pixels that would happen
// to be pure green are nudged off it so they stay visible.
void WriteKeyedPng(const Canvas& canvas, const std::string& path);
// Writes a picture with an alpha channel (for pictures the game does not key).
void WriteAlphaPng(const Canvas& canvas, const std::string& path);

}  // namespace picgen
