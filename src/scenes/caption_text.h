// SPDX-License-Identifier: GPL-3.0-or-later
// Text that scenes compose once into images of their own (the title card's
// name, the clear banner, the erasures label): centring, and type of another
// size than the game's own.
#pragma once

// The size of the default font that start-up sets for DrawText.
constexpr int kGameFontSize = 24;

// Draws `text` with its width centred on `centreX`, its top at `y`.
void DrawTextCentred(const char* text, int centreX, int y, int colour, int edgeColour);

// Sets another font size for the drawings of its lifetime, then the game's own again.
class FontSizeScope {
public:
    explicit FontSizeScope(int size);
    ~FontSizeScope();
    FontSizeScope(const FontSizeScope&) = delete;
    FontSizeScope& operator=(const FontSizeScope&) = delete;
};
