// SPDX-License-Identifier: GPL-3.0-or-later
// Text drawing with the default font: DejaVu Sans Mono, bold from thickness
// 6 (named_faces.h), rasterised by SDL2_ttf into a coverage mask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media_detail {

// Coverage (0..255) of a rendered text, row by row.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

// The text rendered with the current font settings, without the edge; false
// when no font can be opened.
bool RenderTextMask(const char* text, TextMask& mask);
// The mask grown by `radius` pixels on every side (square neighbourhood maximum).
TextMask GrowMask(const TextMask& mask, int radius);
// Opens the font for the current settings now rather than at the next text.
void PrepareFont();
// The face file of the font in use; empty before the first text.
std::string CurrentFontFile();
// Closes the font (end of the layer's life).
void ShutdownText();

}  // namespace media_detail
