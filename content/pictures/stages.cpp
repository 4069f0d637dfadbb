// SPDX-License-Identifier: GPL-3.0-or-later
// The stage backgrounds "bg1.bfg" to "bg3.bfg" and the scenery, shade and
// counter plate that every stage's own background shares with them. The board
// covers (64, 64) to (576, 416); the counters are drawn at (420, 12),
// (530, 12) and (608, 12), so their labels are painted here, left of each.
#include <cmath>

#include "palette.h"
#include "pictures.h"
#include "scenery.h"
#include "wordmark.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

void CounterPlate(Canvas& c) {
    PanelBox(c, 372, 5, 262, 30, WithAlpha(Hex(0x101028), 0.8f));
    Font label{"DejaVu Sans", true, 11};
    Paint gold = Solid(palette::kGold);
    auto right = [&](const char* text, int endX) {
        int w = TextMask(text, label).Width();
        DrawText(c, text, label, endX - w, 13, gold);
    };
    right("PAR", 414);
    right("BEST", 524);
    right("STEPS", 602);
}

namespace {

void Hud(Canvas& c) {
    CounterPlate(c);
    Canvas small(160, 40);
    Wordmark(small, 80, 4, 22);
    c.Draw(small, -8, 0);
    DrawText(c, "X  leave      C  retry", {"DejaVu Sans", false, 12}, 18, 456, Solid(WithAlpha(Hex(0xf0e8ff), 0.8f)));
}

}  // namespace

void BoardShade(Canvas& c) {
    Canvas shade(640, 480);
    shade.Fill(Box(60, 64, 520, 344, 24), WithAlpha(Hex(0x000010), 0.32f));
    Blur(shade, 20);
    c.Draw(shade, 0, 0);
}

void StageScenery(Canvas& c, int kind, uint32_t seed) {
    switch (kind) {
        case 1:  // evening meadow
            Sky(c, Hex(0x1c3c70), Hex(0x9ad0c8), Hex(0xe8f4ff), 0.45f, seed + 101);
            Hills(c, 330, 70, Hex(0x3c7850), Hex(0x1c3c30), seed + 102);
            Hills(c, 400, 50, Hex(0x2c6040), Hex(0x102820), seed + 103);
            break;
        case 2:  // starry night with a moon
            Sky(c, Hex(0x060a20), Hex(0x283070), Hex(0x5060a0), 0.3f, seed + 201);
            Stars(c, 220, 480, seed + 202);
            c.Fill(Circle(560, 96, 30), WithAlpha(Hex(0xfff4d0), 0.25f));
            c.Fill(Subtract(Circle(560, 96, 22), Circle(570, 90, 19)), Hex(0xfff4d0));
            Hills(c, 420, 40, Hex(0x182048), Hex(0x080c20), seed + 203);
            break;
        default:  // dunes at sunset
            Sky(c, Hex(0x3a1c50), Hex(0xf0a050), Hex(0xffd0a0), 0.4f, seed + 301);
            c.Fill(Circle(140, 330, 40), WithAlpha(Hex(0xfff0c0), 0.9f));
            Hills(c, 340, 40, Hex(0xc07040), Hex(0x603028), seed + 302);
            Hills(c, 400, 40, Hex(0x904830), Hex(0x401818), seed + 303);
            break;
    }
}

Picture StageBackground(int number) {
    Canvas c(640, 480);
    StageScenery(c, number, 0);
    BoardShade(c);
    Hud(c);
    return {c, Format::Opaque};
}

}  // namespace pictures
