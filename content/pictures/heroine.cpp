// SPDX-License-Identifier: GPL-3.0-or-later
// "heroine.bfg": the player's figure, 5 columns x 6 rows of 32 x 64 frames.
// Rows: walk left, walk up, walk right, walk down, warp (column 0 standing,
// fading to nothing at column 4), clear pose (column 4 the held victory pose).
// In every walk row column 0 stands, columns 1-2 step with one foot and
// columns 3-4 with the other. The figure's feet rest near the bottom of the
// frame, which is the cell it stands on.
//
// Two things the figure must never hide, so its proportions are small:
// - the value on the tile above it: nothing is drawn above row 23 of the
//   frame (the numerals of the tiles reach row 22 of the cell above), so the
//   bow sits at the side of the head, not on top;
// - while it stands half transparent in the erase mode, the value on the tile
//   under it: over the numeral (rows 40-53, columns 11-20) every standing
//   pose shows one broad, plain area (the apron in front, the dress from the
//   side and from behind) without lines or see-through gaps, so the numeral
//   reads through it.
#include <cmath>

#include "palette.h"
#include "pictures.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"

namespace pictures {

using namespace picgen;

namespace {

enum class View { Front, Back, Side };

struct Pose {
    View view = View::Front;
    float bob = 0;             // whole body up (negative) or down
    float stride = 0;          // -1..1: which foot is ahead and how far
    float armSwing = 0;        // -1..1
    float armsUp = 0;          // 0 arms down, 1 raised high
    float crouch = 0;          // legs shortened by this many pixels
};

const Rgba kSkin = Hex(0xffdcc0);
const Rgba kHair = Hex(0x7a3424);
const Rgba kHairLight = Hex(0xb0583a);
const Rgba kDress = Hex(0xe04858);
const Rgba kDressDark = Hex(0xa02838);
const Rgba kApron = Hex(0xfff8f0);
const Rgba kBoot = Hex(0x4a2c20);
const Rgba kRibbon = Hex(0xffd040);
const Rgba kEye = Hex(0x2a1830);

void Arm(Canvas& c, float sx, float sy, float hx, float hy) {
    c.Fill(Segment(sx, sy, hx, hy, 1.6f), kDress);
    c.Fill(Circle(hx, hy, 1.7f), kSkin);
}

void Legs(Canvas& c, const Pose& p, float hip) {
    float foot = 59 - p.crouch * 0.3f;
    if (p.view == View::Side) {
        // Far leg first, darker.
        float back = 16 + 4 * p.stride, front = 16 - 4 * p.stride;
        float liftBack = p.stride > 0 ? 1.5f * p.stride : 0, liftFront = p.stride < 0 ? -1.5f * p.stride : 0;
        c.Fill(Segment(16, hip, back, foot - 2 - liftBack, 1.5f), Shade(kApron, 0.8f));
        c.Fill(Box(back - 3, foot - 2.5f - liftBack, 5, 3.5f, 1.5f), Shade(kBoot, 0.8f));
        c.Fill(Segment(16, hip, front, foot - 2 - liftFront, 1.5f), kApron);
        c.Fill(Box(front - 3, foot - 2.5f - liftFront, 5, 3.5f, 1.5f), kBoot);
        return;
    }
    float liftL = p.stride > 0 ? 2 * p.stride : 0, liftR = p.stride < 0 ? -2 * p.stride : 0;
    for (auto [x, lift] : {std::pair{13.0f, liftL}, {19.0f, liftR}}) {
        c.Fill(Segment(x, hip, x, foot - 2 - lift, 1.5f), kApron);
        c.Fill(Box(x - 2.5f, foot - 3 - lift, 5, 3.5f, 1.5f), kBoot);
    }
}

void Body(Canvas& c, const Pose& p, float top) {
    float bottom = top + 13;
    if (p.view == View::Side) {
        c.Fill(Polygon({{10.5f, top}, {21.5f, top}, {23.5f, bottom}, {8.5f, bottom}}), Vertical(top, kDress, bottom, kDressDark));
        return;
    }
    c.Fill(Polygon({{10, top}, {22, top}, {25, bottom}, {7, bottom}}), Vertical(top, kDress, bottom, kDressDark));
    if (p.view == View::Front) {
        // The apron, bib and skirt in one plain piece.
        c.Fill(Polygon({{10.5f, top}, {21.5f, top}, {22.5f, bottom - 0.5f}, {9.5f, bottom - 0.5f}}), kApron);
    } else {
        c.Fill(Box(13, bottom - 4, 6, 2, 1), Shade(kDress, 1.25f));  // apron strings, low on the back
    }
}

void Head(Canvas& c, const Pose& p, float cy) {
    Sdf skull = Circle(16, cy, 8.5f);
    switch (p.view) {
        case View::Front:
            c.Fill(Box(7.5f, cy - 2, 17, 15, 4), kHair);  // hair behind the shoulders
            c.Fill(skull, kSkin);
            c.Fill(Intersect(Circle(16, cy - 1, 9), Box(0, 0, 32, cy - 1.5f)), Vertical(cy - 10, kHairLight, cy, kHair));
            c.Fill(Polygon({{8, cy - 3}, {12, cy - 3}, {9, cy + 5}}), kHair);   // side locks
            c.Fill(Polygon({{20, cy - 3}, {24, cy - 3}, {23, cy + 5}}), kHair);
            c.Fill(Polygon({{12, cy - 3}, {16, cy - 3}, {13.5f, cy + 0.5f}}), kHair);  // fringe
            c.Fill(Polygon({{16, cy - 3}, {20, cy - 3}, {18.5f, cy + 0.5f}}), kHair);
            c.FillRect({12, static_cast<int>(cy + 1), 2, 3}, kEye);
            c.FillRect({18, static_cast<int>(cy + 1), 2, 3}, kEye);
            c.FillRect({12, static_cast<int>(cy + 1), 1, 1}, Hex(0xffffff));
            c.FillRect({18, static_cast<int>(cy + 1), 1, 1}, Hex(0xffffff));
            c.Fill(Circle(11, cy + 5, 1.2f), WithAlpha(Hex(0xff8080), 0.6f));
            c.Fill(Circle(21, cy + 5, 1.2f), WithAlpha(Hex(0xff8080), 0.6f));
            break;
        case View::Back:
            c.Fill(Box(7.5f, cy - 2, 17, 14, 4), Vertical(cy, kHair, cy + 12, Shade(kHair, 0.8f)));
            c.Fill(skull, Vertical(cy - 9, kHairLight, cy + 6, kHair));
            c.Fill(Segment(16, cy - 6, 16, cy + 12, 0.5f), Shade(kHair, 0.75f));
            break;
        case View::Side:  // facing left
            c.Fill(Box(15, cy - 2, 10, 12, 4), kHair);  // hair down the back
            c.Fill(skull, kSkin);
            c.Fill(Intersect(Circle(16.5f, cy - 1, 9), Union(Box(0, 0, 32, cy - 2), Box(17, 0, 15, 64))),
                   Vertical(cy - 10, kHairLight, cy + 8, kHair));
            c.Fill(Polygon({{8, cy - 3}, {12, cy - 3}, {9.5f, cy + 0.5f}}), kHair);
            c.FillRect({10, static_cast<int>(cy + 1), 2, 3}, kEye);
            c.FillRect({10, static_cast<int>(cy + 1), 1, 1}, Hex(0xffffff));
            c.Fill(Circle(11, cy + 5, 1.1f), WithAlpha(Hex(0xff8080), 0.6f));
            break;
    }
    // The bow at the side of the head (above the left ear, which is on the
    // right when seen from behind or from the left), never on the crown.
    float rx = p.view == View::Front ? 8.5f : 23.5f, ry = cy - 5;
    c.Fill(Union(Polygon({{rx, ry}, {rx - 3.5f, ry - 4}, {rx - 3.5f, ry + 2}}), Polygon({{rx, ry}, {rx + 3.5f, ry - 4}, {rx + 3.5f, ry + 2}})),
           kRibbon);
    c.Fill(Circle(rx, ry, 1.4f), Shade(kRibbon, 0.8f));
}

// Single see-through pixels inside the figure (where two shapes only meet at
// a corner) would show the floor through the keyed sprite: close them.
void FillPinholes(Canvas& c) {
    Canvas before = c;
    for (int y = 1; y < 63; ++y)
        for (int x = 1; x < 31; ++x)
            if (before.At(x, y).a < 0.5f && before.At(x - 1, y).a >= 0.5f && before.At(x + 1, y).a >= 0.5f &&
                before.At(x, y - 1).a >= 0.5f && before.At(x, y + 1).a >= 0.5f)
                c.At(x, y) = palette::kInk;
}

Canvas Figure(const Pose& p) {
    Canvas c(32, 64);
    float hip = 55 + p.bob + p.crouch;
    float bodyTop = 42 + p.bob + p.crouch;
    float headY = 34 + p.bob + p.crouch;
    // Shadow on the floor.
    c.Fill(Ellipse(16, 60, 8, 2.2f), WithAlpha(Hex(0x000000), 0.3f));
    Legs(c, p, hip);
    float shoulderY = bodyTop + 2;
    float handDown = bodyTop + 8;
    auto armTo = [&](float side, float swing) {
        // side -1 left arm, +1 right arm.
        float hx = 16 + side * 8 + (p.view == View::Side ? -swing * 3 : 0);
        float hy = handDown - swing * (p.view == View::Side ? 0 : 1.5f);
        float ux = 16 + side * 10, uy = bodyTop - 9;
        return std::pair{hx + (ux - hx) * p.armsUp, hy + (uy - hy) * p.armsUp};
    };
    if (p.view == View::Side) {
        Body(c, p, bodyTop);
        Head(c, p, headY);
        auto [hx, hy] = armTo(0, p.armSwing);
        Arm(c, 16, shoulderY, hx + (p.armsUp > 0 ? -6 : 0), hy);
    } else {
        auto [lx, ly] = armTo(-1, p.armSwing);
        auto [rx, ry] = armTo(1, -p.armSwing);
        bool armsOverHead = p.armsUp > 0.5f;
        if (!armsOverHead) {
            Arm(c, 11, shoulderY, lx, ly);
            Arm(c, 21, shoulderY, rx, ry);
        }
        Body(c, p, bodyTop);
        Head(c, p, headY);
        if (armsOverHead) {
            Arm(c, 11, shoulderY, lx, ly);
            Arm(c, 21, shoulderY, rx, ry);
        }
    }
    AddOutline(c, palette::kInk, 1);
    FillPinholes(c);
    return c;
}

// The walk cycle: column 0 stands; 1-2 and 3-4 are the two steps.
Pose WalkPose(View view, int column) {
    static const float strides[] = {0, 0.5f, 1, -0.5f, -1};
    Pose p;
    p.view = view;
    p.stride = strides[column];
    p.armSwing = strides[column];
    p.bob = (column == 1 || column == 3) ? 1.0f : 0.0f;  // a dip, so the head never rises
    return p;
}

// The standing figure dissolving into a column of light.
Canvas WarpFrame(int column) {
    Canvas stand = Figure(Pose{});
    if (column == 0) return stand;
    float squeeze[] = {1, 0.7f, 0.4f, 0.15f, 0};
    float whiten[] = {0, 0.45f, 0.75f, 0.95f, 1};
    Canvas c(32, 64);
    const float beam[] = {0, 1.5f, 2.5f, 3, 0};
    if (beam[column] > 0) c.Fill(Ellipse(16, 42, beam[column], 18), Hex(0xc8f4ff));
    if (squeeze[column] > 0) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 32; ++x) {
                float sx = 16 + (x + 0.5f - 16) / squeeze[column];
                int ix = static_cast<int>(std::floor(sx));
                if (ix < 0 || ix >= 32) continue;
                Rgba s = stand.At(ix, y);
                c.Blend(x, y, WithAlpha(Mix(s, Hex(0xeafcff), whiten[column]), s.a));
            }
    }
    // Sparkles drifting up.
    for (int i = 0; i < 3 + column; ++i) {
        float x = 8 + Hash01(i, column, 7) * 16, y = 30 + Hash01(i, column, 9) * 28 - column;
        c.Fill(Star(x, y, 4, 2.5f, 0.8f), Hex(0xffffff));
    }
    return c;
}

Canvas ClearFrame(int column) {
    Pose p;
    switch (column) {
        case 1: p.crouch = 2; p.armsUp = 0.2f; break;
        case 2: p.armsUp = 0.6f; break;
        case 3: p.crouch = 1; p.armsUp = 1; p.stride = 0.5f; break;
        case 4: p.armsUp = 1; break;
        default: break;
    }
    Canvas c = Figure(p);
    if (column >= 3) {
        c.Fill(Star(4.5f, 28, 4, 3.5f, 1), Hex(0xfff4a0));
        c.Fill(Star(27.5f, 26, 4, 3, 1), Hex(0xffffff));
    }
    return c;
}

}  // namespace

Picture Heroine() {
    Canvas sheet(32 * 5, 64 * 6);
    for (int column = 0; column < 5; ++column) {
        Canvas left = Figure(WalkPose(View::Side, column));
        sheet.Copy(left, 32 * column, 0);
        sheet.Copy(Figure(WalkPose(View::Back, column)), 32 * column, 64);
        sheet.Copy(left.Mirrored(), 32 * column, 128);
        sheet.Copy(Figure(WalkPose(View::Front, column)), 32 * column, 192);
        sheet.Copy(WarpFrame(column), 32 * column, 256);
        sheet.Copy(ClearFrame(column), 32 * column, 320);
    }
    return {sheet, Format::Keyed};
}

}  // namespace pictures
