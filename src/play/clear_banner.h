// SPDX-License-Identifier: GPL-3.0-or-later
// The banner over a clear's fade: "CLEAR", the steps taken against the par,
// and "NEW BEST" or "PAR" when the clear earns them. It is composed once into
// an image of its own when the clear is recorded and drawn over the fading
// stage beside the rising figure, never under it.
#pragma once

#include <cstdint>

class SubDraw;

// What a clear achieved.
struct ClearResult {
    std::uint8_t steps = 0;
    std::uint8_t par = 255;
    bool newBest = false;  // the record was replaced (a first clear included)
    // Cleared within the par, as the selection screen's gold frame counts it.
    bool WithinPar() const { return steps <= par; }
};

class ClearBanner {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 128;
    static constexpr int kTop = 176;
    // Frames over which the banner comes in at the start of the fade.
    static constexpr int kFadeInFrames = 16;
    // Where its parts lie inside the banner.
    static constexpr int kDigitScale = 2;
    static constexpr int kNumbersY = 54;
    static constexpr int kStepsRight = 112;  // the step count ends here
    static constexpr int kParLeft = 144;     // the par starts here

    ClearBanner() = default;
    ~ClearBanner();
    ClearBanner(const ClearBanner&) = delete;
    ClearBanner& operator=(const ClearBanner&) = delete;

    // Draws the banner for `result` into an image of its own, with the digit
    // glyphs of `numbers`. Leaves the back buffer as the draw target.
    void Compose(const ClearResult& result, const SubDraw& numbers);
    bool Composed() const { return image_ != -1; }
    // Draws the composed banner, `shownFrames` frames into the fade, on the
    // half of the screen away from the figure's column at `figureX`.
    void Draw(int figureX, int shownFrames) const;
    // Left edge of the banner for a figure whose frame starts at `figureX`.
    static int LeftFor(int figureX);

private:
    int image_ = -1;
};
