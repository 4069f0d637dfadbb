// SPDX-License-Identifier: GPL-3.0-or-later
// The stage selection screen: "select_bg.bfg", "select_frames.bfg" and
// "select_icons.bfg".
//
// The grid of 5 x 9 cells of 48 x 48 starts at (16, 32); the page arrows sit
// at (8, 440) and (216, 440) and the page counter at (128, 455); the preview
// fills (286, 34)-(606, 274). The arrow icons are whole plates in the colour
// of the grid panel, so they sit in it seamlessly, and the screen copies the
// left part of the lit left arrow into its top-left corner: there it reads as
// a back mark on the header bar of the same colour.
#include <cmath>

#include "palette.h"
#include "pictures.h"
#include "scenery.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

namespace {

const Rgba kPlate = palette::kPanel;

void Arrow(Canvas& c, float cx, float cy, bool right, bool lit) {
    Sdf head = Polygon({{cx - 7, cy}, {cx + 4, cy - 9}, {cx + 4, cy + 9}});
    Sdf tail = Box(cx + 2, cy - 3.5f, 7, 7, 1);
    Sdf arrow = Union(head, tail);
    if (right) arrow = Rotate(arrow, cx, cy, static_cast<float>(M_PI));
    Rgba top = lit ? Hex(0xfff4c0) : Hex(0x7480a8), bottom = lit ? palette::kGold : Hex(0x4a5478);
    c.Fill(Translate(arrow, 0, 1.5f), WithAlpha(Hex(0x000000), 0.4f));
    c.Fill(arrow, Vertical(cy - 9, top, cy + 9, bottom));
    c.Fill(Outline(arrow, 1), lit ? palette::kGoldDark : Hex(0x2a3050));
}

}  // namespace

Picture SelectFrames() {
    Canvas sheet(192, 48);
    // Cleared within par: a gold frame with a star badge.
    Sdf frame = Box(2, 2, 44, 44, 6);
    Sdf inner = Box(5, 5, 38, 38, 4);
    sheet.Fill(frame, Vertical(2, Shade(palette::kGold, 1.2f), 46, palette::kGoldDark));
    sheet.Fill(inner, Vertical(5, Hex(0x5a4420), 43, Hex(0x2e2010)));
    sheet.Fill(Outline(Box(2.5f, 2.5f, 43, 43, 6), 1), Hex(0x3a2408));
    Sdf star = Star(24, 34, 5, 7, 3);
    sheet.Fill(star, Vertical(27, Hex(0xfffbe0), 41, palette::kGold));
    sheet.Fill(Outline(star, 1), Hex(0x6a4008));
    // Any other stage: a cool plain frame.
    sheet.Fill(Translate(frame, 48, 0), Vertical(2, Hex(0x8898c8), 46, Hex(0x485888)));
    sheet.Fill(Translate(inner, 48, 0), Vertical(5, Hex(0x2c3868), 43, Hex(0x182040)));
    sheet.Fill(Translate(Outline(Box(2.5f, 2.5f, 43, 43, 6), 1), 48, 0), Hex(0x101830));
    for (int i = 0; i < 3; ++i) sheet.Fill(Circle(48 + 18 + 6 * i, 36, 1.5f), Hex(0x6878a8));
    // Cursor: a bright ring with corner brackets; the middle stays see-through.
    Canvas cursor(48, 48);
    cursor.Fill(Outline(Box(1.5f, 1.5f, 45, 45, 7), 3), Hex(0xffffff));
    cursor.Fill(Outline(Box(1.5f, 1.5f, 45, 45, 7), 1), Hex(0xfff0a0));
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {38.0f, 0.0f}, {0.0f, 38.0f}, {38.0f, 38.0f}})
        cursor.Fill(Box(x, y, 10, 10, 3), palette::kGold);
    AddOutline(cursor, palette::kInk, 1);
    sheet.Copy(cursor, 96, 0);
    // Cleared over par, drawn over the plain frame: a silver star where the
    // gold frame has its gold one, hiding the plain frame's dots.
    Canvas badge(48, 48);
    badge.Fill(Box(13, 27, 22, 15, 5), Hex(0x1e2848));
    Sdf silver = Star(24, 34, 5, 7, 3);
    badge.Fill(silver, Vertical(27, Hex(0xffffff), 41, Hex(0x9aa4c0)));
    badge.Fill(Outline(silver, 1), Hex(0x303850));
    sheet.Copy(badge, 144, 0);
    return {sheet, Format::Keyed};
}

Picture SelectIcons() {
    Canvas sheet(96, 64);
    sheet.FillRect({0, 0, 96, 64}, kPlate);
    for (int row = 0; row < 2; ++row) {
        bool lit = row == 1;
        Arrow(sheet, 16, 16 + 32 * row, false, lit);
        Arrow(sheet, 80, 16 + 32 * row, true, lit);
    }
    return {sheet, Format::Keyed};
}

Picture SelectBackground() {
    Canvas c(640, 480);
    Sky(c, Hex(0x0c1230), Hex(0x2a2050), Hex(0x3a3a78), 0.45f, 5);
    Stars(c, 160, 480, 17);
    // Header bar with the screen's name, leaving the corner for the back mark.
    // It is as tall as the corner the screen copies, and runs on into the
    // grid panel in the same colour.
    c.FillRect({0, 0, 640, 32}, kPlate);
    c.FillRect({264, 32, 376, 2}, Shade(kPlate, 1.6f));
    // The grid panel: the same flat colour as the arrow plates.
    c.Fill(Box(10, 30, 260, 450, 10), WithAlpha(Hex(0x000000), 0.35f));
    c.Fill(Box(8, 16, 256, 460, 10), kPlate);
    DrawText(c, "STAGE SELECT", {"DejaVu Sans", true, 15}, 40, 7, Vertical(7, Hex(0xffffff), 25, Hex(0xffe0a0)));
    // Preview frame and the help panel under it.
    c.Fill(Box(280, 30, 332, 250, 6), WithAlpha(Hex(0x000000), 0.5f));
    PanelBox(c, 282, 290, 328, 178, WithAlpha(kPlate, 0.92f));
    Font help{"DejaVu Sans", true, 14};
    Paint white = Solid(Hex(0xf4f0ff));
    Paint gold = Solid(palette::kGold);
    int y = 302;
    for (auto [key, what] : {std::pair{"ARROWS", "choose a stage"}, {"Z", "play it"}, {"X", "back to the title"},
                             {"Q / W", "turn the page"}, {"H", "watch the best clear"}}) {
        DrawText(c, key, help, 300, y, gold);
        DrawText(c, what, help, 390, y, white);
        y += 20;
    }
    // Legend of the cleared looks: within par, and over it.
    Picture frames = SelectFrames();
    c.Draw(frames.canvas.Crop({0, 0, 48, 48}), 296, 404);
    DrawText(c, "within par", help, 350, 420, white);
    Canvas over = frames.canvas.Crop({48, 0, 48, 48});
    over.Draw(frames.canvas.Crop({144, 0, 48, 48}), 0, 0);
    c.Draw(over, 452, 404);
    DrawText(c, "over par", help, 506, 420, white);
    return {c, Format::Opaque};
}

}  // namespace pictures
