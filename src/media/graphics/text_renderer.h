// Text drawing with the default font: a bold monospace face found through
// fontconfig, rasterised by SDL2_ttf into a coverage mask.
#pragma once

#include <cstdint>
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
// Closes the font (end of the layer's life).
void ShutdownText();

}  // namespace media_detail
