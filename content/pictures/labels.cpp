// SPDX-License-Identifier: GPL-3.0-or-later
// The digit sheets and the text labels: "number.bfg", "stage_title.bfg" and
// "title_menu.bfg".
#include <string>
#include <vector>

#include "palette.h"
#include "pictures.h"
#include "picgen/effects.h"
#include "picgen/pixel_art.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

namespace {

// 6 x 12 digit shapes for the 8 x 16 cells; the outline is added around them.
const std::vector<std::vector<std::string>> kSmallDigits = {
    {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},
    {"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "######"},
    {".####.", "##..##", "##..##", "....##", "....##", "...##.", "..##..", ".##...", "##....", "##....", "##....", "######"},
    {".####.", "##..##", "....##", "....##", "....##", "..###.", "....##", "....##", "....##", "....##", "##..##", ".####."},
    {"....##", "...###", "..####", ".##.##", "##..##", "##..##", "######", "....##", "....##", "....##", "....##", "....##"},
    {"######", "##....", "##....", "##....", "#####.", "....##", "....##", "....##", "....##", "....##", "##..##", ".####."},
    {".####.", "##..##", "##....", "##....", "#####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},
    {"######", "....##", "....##", "...##.", "...##.", "..##..", "..##..", "..##..", ".##...", ".##...", ".##...", ".##..."},
    {".####.", "##..##", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},
    {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", "....##", "....##", "##..##", ".####."},
};

const std::vector<std::string> kSlash = {
    "..........##", ".........###", "........###.", ".......###..", "......###...", ".....###....",
    "....###.....", "...###......", "..###.......", ".###........", "###.........", "##..........",
};

// White glyph ink with a faint cool shade at the bottom, so digits read on
// light and dark grounds alike once outlined.
Canvas Ink(const std::vector<std::string>& rows) {
    Canvas glyph = FromPixelArt(rows, {{'#', Hex(0xffffff)}});
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (glyph.At(x, y).a > 0) glyph.At(x, y) = Mix(Hex(0xffffff), Hex(0xd8e0f0), y / 12.0f);
    return glyph;
}

Canvas OutlinedText(const std::string& text, const Font& font, const Paint& paint, int outline) {
    Canvas mask = TextMask(text, font);
    Canvas out(mask.Width() + 2 * outline, mask.Height() + 2 * outline);
    DrawText(out, text, font, outline, outline, paint);
    AddOutline(out, palette::kInk, outline);
    return out;
}

// The label's ink box: the rows and columns holding any coverage.
Rect InkBox(const Canvas& c) {
    int x0 = c.Width(), y0 = c.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.At(x, y).a >= 0.5f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// Draws c so its ink is centred in the cell (x, y, w, h).
void PlaceCentred(Canvas& sheet, const Canvas& c, Rect cell) {
    Rect ink = InkBox(c);
    sheet.Draw(c, cell.x + (cell.w - ink.w) / 2 - ink.x, cell.y + (cell.h - ink.h) / 2 - ink.y);
}

}  // namespace

Picture Numbers() {
    Canvas sheet(96, 16);
    for (int d = 0; d < 10; ++d) {
        Canvas cell(8, 16);
        cell.Draw(Ink(kSmallDigits[d]), 1, 2);
        AddOutline(cell, palette::kInk, 1);
        sheet.Copy(cell, 8 * d, 0);
    }
    Canvas slash(16, 16);
    slash.Draw(Ink(kSlash), 2, 2);
    AddOutline(slash, palette::kInk, 1);
    sheet.Copy(slash, 80, 0);
    return {sheet, Format::Keyed};
}

Picture StageTitle() {
    Canvas sheet(160, 48);
    Paint gold = Vertical(2, Hex(0xfff8d8), 22, palette::kGold);
    Canvas label = OutlinedText("STAGE", {"DejaVu Sans", true, 17}, gold, 2);
    PlaceCentred(sheet, label, {0, 0, 64, 24});
    for (int d = 0; d < 10; ++d) {
        Canvas digit = OutlinedText(std::to_string(d), {"DejaVu Sans", true, 22}, gold, 2);
        PlaceCentred(sheet, digit, {16 * d, 24, 16, 24});
    }
    return {sheet, Format::Keyed};
}

Picture TitleMenu() {
    Canvas sheet(96, 64);
    const char* labels[] = {"START", "CONTINUE", "SELECT", "QUIT"};
    for (int i = 0; i < 4; ++i) {
        Canvas label = OutlinedText(labels[i], {"DejaVu Sans", true, 13}, Vertical(0, Hex(0xffffff), 16, Hex(0xffe8a8)), 1);
        PlaceCentred(sheet, label, {0, 16 * i, 96, 16});
    }
    return {sheet, Format::Keyed};
}

}  // namespace pictures
