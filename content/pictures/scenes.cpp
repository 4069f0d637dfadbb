// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures around play: the opening logo, the title background, the
// ending's title, logo and staff roll, and the window icon.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "palette.h"
#include "pictures.h"
#include "scenery.h"
#include "wordmark.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "picgen/text.h"

namespace pictures {

using namespace picgen;

namespace {

// A few tiles and the heroine on a floating island, for the title screen.
void Island(Canvas& c, int left, int top) {
    Canvas tiles = Tiles().canvas;
    Canvas heroine = Heroine().canvas;
    // Codes per cell, row by row (0 leaves the cell empty).
    const std::vector<std::vector<int>> board = {
        {0, 1, 9, 9, 9, 6, 0},
        {3, 9, 13, 9, 4, 9, 10},
        {0, 9, 2, 17, 9, 1, 0},
    };
    int width = static_cast<int>(board[0].size()) * 32;
    // The rock under the island, narrowing to a point.
    float base = top + 32.0f * board.size() + 4;
    Sdf rock = Polygon({{left + 36.0f, base - 10}, {left + width - 36.0f, base - 10}, {left + width - 44.0f, base + 22},
                        {left + width / 2.0f + 26, base + 56}, {left + width / 2.0f - 4, base + 80},
                        {left + width / 2.0f - 30, base + 46}, {left + 46.0f, base + 20}});
    c.Fill(Grow(rock, 1.5f), Hex(0x1a1024));
    c.Fill(rock, [&](float x, float y) {
        // Lit from the upper left, with strata and a little grain.
        float n = FractalNoise(x / 10, y / 4, 3, 77);
        float light = std::clamp(1.0f - (y - base) / 80 - (x - left) / (2.0f * width), 0.0f, 1.0f);
        return Mix(Hex(0x3a2434), Hex(0xa08070), light * 0.8f + (n - 0.5f) * 0.3f);
    });
    for (size_t r = 0; r < board.size(); ++r)
        for (size_t col = 0; col < board[r].size(); ++col)
            if (int code = board[r][col]; code)
                c.Draw(tiles.Crop({32 * (code - 1), 0, 32, 64}), left + 32 * static_cast<int>(col), top + 32 * static_cast<int>(r));
    // The heroine in her victory pose on the middle of the island.
    c.Draw(heroine.Crop({32 * 4, 320, 32, 64}), left + 32 * 3, top + 32 - 32);
}

Canvas Titled(std::vector<std::pair<std::string, std::vector<std::string>>> sections, int width) {
    Font heading{"DejaVu Sans", true, 12};
    Font name{"DejaVu Sans", false, 14};
    int height = 0;
    for (const auto& [title, names] : sections) height += 18 + 17 * static_cast<int>(names.size()) + 14;
    Canvas c(width, height);
    int y = 0;
    for (const auto& [title, names] : sections) {
        DrawTextCentred(c, title, heading, width / 2, y, Solid(palette::kGold));
        y += 18;
        for (const auto& n : names) {
            DrawTextCentred(c, n, name, width / 2, y, Solid(Hex(0xf4f0ff)));
            y += 17;
        }
        y += 14;
    }
    return c;
}

}  // namespace

// Shown whole at (240, 192) over a white screen, fading in and out; drawn on
// white so its edges stay smooth.
Picture Logo() {
    Canvas c(160, 96, Hex(0xffffff));
    Emblem(c, 80, 34, 52);
    DrawTextCentred(c, "VELTRIM TEAM", {"DejaVu Sans", true, 13}, 80, 70, Solid(Hex(0x283058)));
    return {c, Format::Opaque};
}

Picture TitleBackground() {
    Canvas c(640, 480);
    Sky(c, Hex(0x0e1238), Hex(0xf09a70), Hex(0xf0b0c0), 0.35f, 11);
    c.FillRect({0, 0, 640, 480}, [](float, float y) {
        // Deep blue at the top, a warm glow low down.
        return WithAlpha(Hex(0x10143c), std::clamp(1.0f - y / 260, 0.0f, 1.0f) * 0.7f);
    });
    Stars(c, 140, 260, 3);
    c.Fill(Circle(520, 330, 46), WithAlpha(Hex(0xffe0b0), 0.35f));
    c.Fill(Circle(520, 330, 30), WithAlpha(Hex(0xfff0d0), 0.8f));
    Hills(c, 350, 60, Hex(0x5a3a70), Hex(0x2a1a40), 21);
    Hills(c, 400, 50, Hex(0x3a2450), Hex(0x180c28), 22);
    Hills(c, 450, 30, Hex(0x24143a), Hex(0x0c0818), 23);
    Island(c, 208, 196);
    Wordmark(c, 320, 40, 76);
    DrawTextCentred(c, "a puzzle of marks and steps", {"DejaVu Serif", false, 15}, 320, 142, Solid(Hex(0xf8e8ff)));
    // The menu's plate: the labels are drawn at (272, 352 + 24 i), 96 x 16.
    PanelBox(c, 246, 340, 148, 108, WithAlpha(Hex(0x141434), 0.8f));
    DrawTextCentred(c, "\u2191 \u2193  choose     Z  confirm     Esc  quit", {"DejaVu Sans", false, 12}, 320, 458,
                    Solid(WithAlpha(Hex(0xf0e8ff), 0.85f)));
    return {c, Format::Opaque};
}

// Shown at (60, 208) on the black ending screen.
Picture EndingTitle() {
    Canvas c(520, 64, Hex(0x000000));
    Canvas text(520, 64);
    DrawTextCentred(text, "ALL STAGES CLEAR", {"DejaVu Serif", true, 40}, 260, 6,
                    Vertical(8, Hex(0xfffbe6), 54, Hex(0xf0a020)));
    AddGlow(text, Hex(0xf0a040), 4, 0.8f);
    c.Draw(text, 0, 0);
    return {c, Format::Opaque};
}

// Spun and grown about its centre over the black ending screen.
Picture EndingLogo() {
    Canvas c(320, 176, Hex(0x000000));
    Emblem(c, 160, 44, 64);
    Wordmark(c, 160, 80, 56);
    DrawTextCentred(c, "thank you for playing", {"DejaVu Serif", false, 14}, 160, 152, Solid(Hex(0xf4e8ff)));
    return {c, Format::Opaque};
}

// 180 pixels wide so it runs centred at x = 230; at most 367 high, so it has
// left the screen when the logo appears. The heroine on three tiles, the
// chapters of the stages, then the credits.
Picture StaffRoll(const std::vector<Chapter>& chapters) {
    constexpr int kWidth = 180, kHeight = 366;
    Canvas c(kWidth, kHeight, Hex(0x000000));
    // The drawing: a mark, a goal and a mark, the heroine in her victory pose.
    Canvas tiles = Tiles().canvas;
    Canvas heroine = Heroine().canvas;
    Canvas scene(kWidth, 96);
    scene.Fill(Ellipse(90, 78, 70, 10), WithAlpha(Hex(0x6a5a90), 0.35f));
    const int codes[] = {1, 6, 2};
    for (int i = 0; i < 3; ++i) scene.Draw(tiles.Crop({32 * (codes[i] - 1), 0, 32, 64}), 42 + 32 * i, 44);
    scene.Draw(heroine.Crop({32 * 4, 320, 32, 64}), 74, 12);
    for (int i = 0; i < 7; ++i) {
        float x = 20 + 140 * Hash01(i, 1, 91), y = 6 + 40 * Hash01(i, 2, 91);
        scene.Fill(Star(x, y, 4, 4, 1), WithAlpha(palette::kGold, 0.8f));
    }
    c.Draw(scene, 0, 0);
    int y = 96;
    Font heading{"DejaVu Sans", true, 12};
    Font range{"DejaVu Sans", true, 11};
    Font name{"DejaVu Serif", false, 12};
    DrawTextCentred(c, "THE STAGES", heading, kWidth / 2, y, Solid(palette::kGold));
    y += 20;
    for (const Chapter& chapter : chapters) {
        std::string span = std::to_string(chapter.first);
        if (chapter.last != chapter.first) span += "\u2013" + std::to_string(chapter.last);
        int spanWidth = TextMask(span, range).Width();
        DrawText(c, span, range, 52 - spanWidth, y + 1, Solid(Shade(palette::kGold, 0.85f)));
        DrawText(c, chapter.name, name, 60, y, Solid(Hex(0xf4f0ff)));
        y += 15;
    }
    y += 12;
    // The team's line goes when a long set of chapters leaves no room.
    Canvas credits = Titled({{"MADE BY", {"the Veltrim team"}}, {"THANK YOU", {"for playing"}}}, kWidth);
    if (y + credits.Height() > kHeight) credits = Titled({{"THANK YOU", {"for playing"}}}, kWidth);
    c.Draw(credits, 0, y);
    return {c, Format::Opaque};
}

// The icon, a goal star on a tile: 32 x 32 for the window, the same drawing at
// other sizes for the desktop's menus.
Picture WindowIcon(int size) {
    const float s = static_cast<float>(size) / 32.0f;
    Canvas c(size, size);
    c.Fill(Box(1 * s, 1 * s, 30 * s, 30 * s, 6 * s), Vertical(1 * s, Hex(0x3a4a90), 31 * s, Hex(0x141a48)));
    c.Fill(Outline(Box(1.5f * s, 1.5f * s, 29 * s, 29 * s, 6 * s), 1 * s), Hex(0x8090d0));
    Emblem(c, 16 * s, 16 * s, 26 * s);
    return {c, Format::Alpha};
}

}  // namespace pictures
