// SPDX-License-Identifier: GPL-3.0-or-later
// Text rendered with the system's DejaVu fonts (found through fontconfig),
// as a coverage mask that is then painted like any other shape.
#pragma once

#include <string>

#include "picgen/canvas.h"

namespace picgen {

struct Font {
    std::string family = "DejaVu Sans";  // a family of fonts-dejavu-core
    bool bold = true;
    int pixelSize = 16;
};

// White text on transparent, exactly as wide and high as the rendered line.
Canvas TextMask(const std::string& text, const Font& font);
// Paints text with its top-left at (x, y); returns the width.
int DrawText(Canvas& canvas, const std::string& text, const Font& font, int x, int y, const Paint& paint);
// Same, centred on cx.
int DrawTextCentred(Canvas& canvas, const std::string& text, const Font& font, int cx, int y, const Paint& paint);

}  // namespace picgen
