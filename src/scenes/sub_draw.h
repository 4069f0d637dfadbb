// SPDX-License-Identifier: GPL-3.0-or-later
// Draws numbers with the 8x16 digit glyphs of "number.bfg" (digit d at
// (8d, 0), a 16x16 slash at (80, 0)). Embedded by value in the scenes that
// show counters.
#pragma once

class SubDraw {
public:
    // Alignments of DrawNumber.
    enum Align : int { kLeft = 0, kCentre = 1, kRight = 2 };

    // Loads "number.bfg" through the resource cache; reports a failure and
    // goes on (the drawings then draw nothing).
    SubDraw();
    virtual ~SubDraw() = default;

    // Draws `value` in decimal: kLeft starts at x and is scaled; kCentre is
    // centred on x and kRight ends at x, both at natural size. Any other
    // alignment, and a negative value, draws nothing.
    void DrawNumber(int value, int x, int y, int align, double scale) const;
    // The selection screen's page indicator "page/lastPage" at the bottom left.
    void DrawPage(int page, int lastPage, double scale) const;

    int image = -1;
};
