// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/caption_text.h"

#include "media/media.h"

void DrawTextCentred(const char* text, int centreX, int y, int colour, int edgeColour) {
    const int width = GetTextWidth(text);
    if (width > 0) DrawText(centreX - width / 2, y, text, colour, edgeColour);
}

FontSizeScope::FontSizeScope(int size) { SetFontSize(size); }

FontSizeScope::~FontSizeScope() { SetFontSize(kGameFontSize); }
