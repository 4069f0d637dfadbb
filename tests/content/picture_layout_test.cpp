// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures in the game folder, read back through the game's own .bfg
// reader and image decoder: their sizes, where each cell's drawing sits, and
// where they are see-through.
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "game_folder.h"
#include "play/board.h"

namespace content_test {
namespace {

class PictureLayoutTest : public GameFolderTest {};

struct Expected {
    const char* name;
    int width;
    int height;
};

TEST_F(PictureLayoutTest, EveryPictureDecodesAtItsSize) {
    const Expected pictures[] = {
        {"logo.bfg", 160, 96},          {"title_bg.bfg", 640, 480},     {"title_menu.bfg", 96, 64},
        {"select_bg.bfg", 640, 480},    {"select_frames.bfg", 192, 48}, {"select_icons.bfg", 96, 64},
        {"number.bfg", 96, 16},         {"stage_title.bfg", 160, 48},   {"tails.bfg", 544, 64},
        {"heroine.bfg", 160, 384},      {"ending_title.bfg", 520, 64},  {"bg1.bfg", 640, 480},
        {"bg2.bfg", 640, 480},          {"bg3.bfg", 640, 480},
    };
    for (const Expected& p : pictures) {
        SCOPED_TRACE(p.name);
        int image = LoadPicture(p.name);
        ASSERT_NE(image, -1);
        EXPECT_EQ(SizeOf(image), std::make_pair(p.width, p.height));
    }
}

TEST_F(PictureLayoutTest, StaffRollHasLeftTheScreenBeforeTheLogoAppears) {
    // It is drawn at x = 230 with its top at 766 - t, last on frame 1133.
    int roll = LoadPicture("staffroll.bfg");
    ASSERT_NE(roll, -1);
    auto [w, h] = SizeOf(roll);
    EXPECT_EQ(w, 180);  // centred on the screen
    EXPECT_LE(h, 367);
    EXPECT_GE(h, 240);
}

TEST_F(PictureLayoutTest, EndingLogoFitsTheScreenAtFullSize) {
    int logo = LoadPicture("ending_logo.bfg");
    ASSERT_NE(logo, -1);
    auto [w, h] = SizeOf(logo);
    EXPECT_GT(w, 100);
    EXPECT_LE(w, 640);
    EXPECT_LE(h, 480);
}

TEST_F(PictureLayoutTest, WholePicturesHaveNoSeeThroughPixels) {
    for (const char* name : {"logo.bfg", "title_bg.bfg", "select_bg.bfg", "bg1.bfg", "bg2.bfg", "bg3.bfg",
                             "ending_title.bfg", "ending_logo.bfg", "staffroll.bfg"}) {
        SCOPED_TRACE(name);
        int image = LoadPicture(name);
        ASSERT_NE(image, -1);
        auto [w, h] = SizeOf(image);
        EXPECT_EQ(Count(Visible(image, 0, 0, w, h)), w * h);
    }
}

TEST_F(PictureLayoutTest, TilesShowATopFaceAndAFrontFaceThenNothing) {
    int tiles = LoadPicture("tails.bfg");
    ASSERT_NE(tiles, -1);
    for (int code = 1; code <= 17; ++code) {
        SCOPED_TRACE(code);
        auto shown = Visible(tiles, 32 * (code - 1), 0, 32, 64);
        auto at = [&](int x, int y) { return shown[y * 32 + x]; };
        // The top face covers its cell up to the edges.
        for (int i = 3; i < 29; ++i) {
            EXPECT_TRUE(at(i, 1) && at(i, 30) && at(1, i) && at(30, i));
        }
        // The front face hangs below it, over the upper part of the cell below.
        EXPECT_TRUE(at(16, 36));
        // The rest of the cell below stays see-through.
        for (int y = 48; y < 64; ++y)
            for (int x = 0; x < 32; ++x) EXPECT_FALSE(at(x, y));
    }
}

// The top faces as they look without colour: each pixel's lightness.
std::vector<int> Grey(int image, int srcX, int srcY, int w, int h) {
    DrawBox(0, 0, 640, 480, 0, 1);
    DrawImageRect(0, 0, srcX, srcY, w, h, image, 1, 0);
    std::vector<int> grey;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t p = media_detail::BackBufferPixels()[y * 640 + x];
            grey.push_back((299 * ((p >> 16) & 255) + 587 * ((p >> 8) & 255) + 114 * (p & 255)) / 1000);
        }
    return grey;
}

TEST_F(PictureLayoutTest, MarksAndGoalsDifferWithoutColour) {
    // Every pair among the marks 1-4 and goals 5-8 must differ clearly in
    // lightness alone (numeral and shape), not only in hue.
    int tiles = LoadPicture("tails.bfg");
    ASSERT_NE(tiles, -1);
    std::vector<std::vector<int>> faces;
    for (int code = 1; code <= 8; ++code) faces.push_back(Grey(tiles, 32 * (code - 1), 0, 32, 32));
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            int differing = 0;
            for (size_t i = 0; i < faces[a].size(); ++i) differing += std::abs(faces[a][i] - faces[b][i]) > 40;
            EXPECT_GT(differing, 60) << "codes " << a + 1 << " and " << b + 1 << ": " << differing;
        }
}

TEST_F(PictureLayoutTest, HeroineHasAFigureInEveryFrameStandingInItsCell) {
    int heroine = LoadPicture("heroine.bfg");
    ASSERT_NE(heroine, -1);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 5; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            auto shown = Visible(heroine, 32 * column, 64 * row, 32, 64);
            EXPECT_FALSE(shown[0]);  // corners are see-through
            EXPECT_FALSE(shown[31]);
            if (row == 4 && column > 0) {
                // The warp thins the figure into a beam of light, then to
                // sparkles alone.
                EXPECT_GT(Count(shown), 4);
                if (column == 4) {
                    EXPECT_LT(Count(shown), 60);
                }
                continue;
            }
            EXPECT_GT(Count(shown), 250);
            // Feet on the lower cell, the head reaching into the upper one.
            int feet = Count(std::vector<bool>(shown.begin() + 52 * 32, shown.end()));
            int head = Count(std::vector<bool>(shown.begin() + 20 * 32, shown.begin() + 36 * 32));
            EXPECT_GT(feet, 10);
            EXPECT_GT(head, 100);
        }
}

// Where a mark's or goal's numeral lies in its cell, its ink outline
// included: rows 8-22, columns 10-21 for every value.
constexpr int kNumeralLeft = 10, kNumeralTop = 8, kNumeralRight = 22, kNumeralBottom = 23;

int GreyAt(int x, int y) {
    const uint32_t p = media_detail::BackBufferPixels()[y * 640 + x];
    return static_cast<int>((299 * ((p >> 16) & 255) + 587 * ((p >> 8) & 255) + 114 * (p & 255)) / 1000);
}

std::vector<uint32_t> NumeralPixels(int cellX, int cellY) {
    std::vector<uint32_t> px;
    for (int y = cellY + kNumeralTop; y < cellY + kNumeralBottom; ++y)
        for (int x = cellX + kNumeralLeft; x < cellX + kNumeralRight; ++x)
            px.push_back(media_detail::BackBufferPixels()[y * 640 + x]);
    return px;
}

// The board as the map scene draws it: a tile in row 2, the tile the figure
// stands on in row 3, then the figure frame (column, row of the sheet) on it.
void DrawTilesAndFigure(int tiles, int heroine, int above, int under, int column, int row, bool erasing) {
    DrawBox(0, 0, 640, 480, 0, 1);
    DrawImageRect(64, 64, 32 * (above - 1), 0, 32, 64, tiles, 1, 0);
    DrawImageRect(64, 96, 32 * (under - 1), 0, 32, 64, tiles, 1, 0);
    if (heroine == -1) return;
    if (erasing) SetBlendMode(1, 128);
    DrawImageRect(64, 96 - 32, 32 * column, 64 * row, 32, 64, heroine, 1, 0);
    if (erasing) SetBlendMode(0, 0);
}

TEST_F(PictureLayoutTest, TheFigureNeverCoversTheValueOnTheTileAboveIt) {
    int tiles = LoadPicture("tails.bfg");
    int heroine = LoadPicture("heroine.bfg");
    ASSERT_NE(tiles, -1);
    ASSERT_NE(heroine, -1);
    for (int code = CELL_MARK_1; code <= CELL_GOAL_4; ++code) {
        DrawTilesAndFigure(tiles, -1, code, CELL_FLOOR, 0, 0, false);
        const std::vector<uint32_t> alone = NumeralPixels(64, 64);
        // The box does hold the numeral: white ink in it.
        int white = 0;
        for (int y = 64 + kNumeralTop; y < 64 + kNumeralBottom; ++y)
            for (int x = 64 + kNumeralLeft; x < 64 + kNumeralRight; ++x) white += GreyAt(x, y) > 235;
        ASSERT_GT(white, 20) << code;
        // Every frame the figure shows while it stands, walks, warps or cheers.
        for (int row = 0; row < 6; ++row)
            for (int column = 0; column < 5; ++column) {
                DrawTilesAndFigure(tiles, heroine, code, CELL_FLOOR, column, row, false);
                EXPECT_EQ(NumeralPixels(64, 64), alone)
                    << "code " << code << ", frame row " << row << " column " << column;
            }
    }
}

TEST_F(PictureLayoutTest, TheValueUnderTheHalfTransparentFigureStaysReadable) {
    // In the erase mode the figure is drawn at half opacity; marks are erased
    // under it, so the tiles with a value it can stand on are the goals. Each
    // white pixel of the numeral must stay lighter than the dark outline
    // pixels beside it, by a margin the eye sees at once.
    constexpr int kMargin = 24;
    int tiles = LoadPicture("tails.bfg");
    int heroine = LoadPicture("heroine.bfg");
    ASSERT_NE(tiles, -1);
    ASSERT_NE(heroine, -1);
    for (int code = CELL_GOAL_1; code <= CELL_GOAL_4; ++code) {
        DrawTilesAndFigure(tiles, -1, CELL_FLOOR, code, 0, 0, false);
        std::vector<std::pair<int, int>> edges;  // (white pixel, dark neighbour), as screen offsets
        for (int y = 96 + kNumeralTop; y < 96 + kNumeralBottom; ++y)
            for (int x = 64 + kNumeralLeft; x < 64 + kNumeralRight; ++x) {
                if (GreyAt(x, y) <= 235) continue;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    if (GreyAt(x + dx, y + dy) < 100) edges.push_back({y * 640 + x, (y + dy) * 640 + x + dx});
            }
        ASSERT_GT(edges.size(), 20u) << code;
        for (int row = 0; row < 4; ++row) {  // standing, facing each way
            DrawTilesAndFigure(tiles, heroine, CELL_FLOOR, code, 0, row, true);
            auto grey = [](int at) { return GreyAt(at % 640, at / 640); };
            int worst = 255;
            for (auto [light, dark] : edges) worst = std::min(worst, grey(light) - grey(dark));
            EXPECT_GE(worst, kMargin) << "goal " << code << ", facing row " << row;
        }
    }
}

TEST_F(PictureLayoutTest, WalkRowsFaceTheirWay) {
    // Left and right walks are mirror images; up and down differ.
    int heroine = LoadPicture("heroine.bfg");
    ASSERT_NE(heroine, -1);
    auto left = Visible(heroine, 0, 0, 32, 64);
    auto right = Visible(heroine, 0, 128, 32, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(left[y * 32 + x], right[y * 32 + 31 - x]);
    EXPECT_NE(Grey(heroine, 0, 64, 32, 64), Grey(heroine, 0, 192, 32, 64));
}

TEST_F(PictureLayoutTest, DigitsSitInTheirCells) {
    int numbers = LoadPicture("number.bfg");
    ASSERT_NE(numbers, -1);
    std::vector<std::vector<int>> digits;
    for (int d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        auto shown = Visible(numbers, 8 * d, 0, 8, 16);
        EXPECT_GT(Count(shown), 30);
        EXPECT_FALSE(shown[0]);  // a gap at the top row keeps digits apart
        digits.push_back(Grey(numbers, 8 * d, 0, 8, 16));
    }
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b) EXPECT_NE(digits[a], digits[b]) << a << " and " << b;
    EXPECT_GT(Count(Visible(numbers, 80, 0, 16, 16)), 30);  // the slash
}

TEST_F(PictureLayoutTest, StageCardHasALabelAndTenDigits) {
    int card = LoadPicture("stage_title.bfg");
    ASSERT_NE(card, -1);
    EXPECT_GT(Count(Visible(card, 0, 0, 64, 24)), 300);
    EXPECT_EQ(Count(Visible(card, 64, 0, 96, 24)), 0);  // nothing beside the label
    for (int d = 0; d < 10; ++d) EXPECT_GT(Count(Visible(card, 16 * d, 24, 16, 24)), 60) << d;
}

TEST_F(PictureLayoutTest, MenuHasFourLabels) {
    int menu = LoadPicture("title_menu.bfg");
    ASSERT_NE(menu, -1);
    for (int i = 0; i < 4; ++i) {
        auto shown = Visible(menu, 0, 16 * i, 96, 16);
        EXPECT_GT(Count(shown), 120) << i;
        EXPECT_FALSE(shown[0]) << i;
    }
}

TEST_F(PictureLayoutTest, SelectionFramesAndCursor) {
    int frames = LoadPicture("select_frames.bfg");
    ASSERT_NE(frames, -1);
    auto cleared = Visible(frames, 0, 0, 48, 48);
    auto plain = Visible(frames, 48, 0, 48, 48);
    auto cursor = Visible(frames, 96, 0, 48, 48);
    EXPECT_TRUE(cleared[24 * 48 + 24]);
    EXPECT_TRUE(plain[24 * 48 + 24]);
    EXPECT_FALSE(cursor[24 * 48 + 24]);  // the cell shows through the cursor
    EXPECT_TRUE(cursor[24 * 48 + 2]);
    // Cleared and plain frames differ in lightness too (the star badge).
    auto a = Grey(frames, 0, 0, 48, 48), b = Grey(frames, 48, 0, 48, 48);
    int differing = 0;
    for (size_t i = 0; i < a.size(); ++i) differing += std::abs(a[i] - b[i]) > 40;
    EXPECT_GT(differing, 100);
}

TEST_F(PictureLayoutTest, PageArrowsAndTheCornerTheScreenCopies) {
    int icons = LoadPicture("select_icons.bfg");
    ASSERT_NE(icons, -1);
    // Each arrow is a whole plate; the lit look differs from the single-page one.
    for (int x : {0, 48})
        for (int y : {0, 32}) EXPECT_EQ(Count(Visible(icons, x, y, 48, 32)), 48 * 32);
    EXPECT_NE(Grey(icons, 0, 0, 48, 32), Grey(icons, 0, 32, 48, 32));
    // The selection screen copies (0, 32)-(32, 64) into its top-left corner as
    // it is, green and all: it must hold no green.
    auto corner = Visible(icons, 0, 32, 32, 32);
    EXPECT_EQ(Count(corner), 32 * 32);
}

}  // namespace
}  // namespace content_test
