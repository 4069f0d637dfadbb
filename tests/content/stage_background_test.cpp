// SPDX-License-Identifier: GPL-3.0-or-later
// Each stage's own background, read back from the game folder through the
// game's reader: it shows the stage's name and its mark cycle where the
// picture generator lays them out, and links the warps of a one-way chain.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "game_folder.h"
#include "palette.h"
#include "stage_backgrounds.h"
#include "stage_source.h"
#include "play/tile_rules.h"

namespace content_test {
namespace {

struct ShippedStage {
    std::string file;
    int number = 0;
    StageSource source;
};

std::vector<ShippedStage> ShippedStages() {
    std::vector<ShippedStage> stages;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages")) {
        if (entry.path().extension() != ".stage") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const StageSourceResult parsed = ParseStageSource(text);
        EXPECT_TRUE(parsed.ok) << entry.path() << ": " << parsed.reason;
        stages.push_back({entry.path().filename().string(), StageNumberOfSourceName(entry.path().string()), parsed.source});
    }
    return stages;
}

uint32_t Packed(picgen::Rgba c) {
    auto byte = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    return byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

int Distance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {16, 8, 0}) d = std::max(d, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
    return d;
}

class StageBackgroundTest : public GameFolderTest {
protected:
    // Draws the stage's picture as the map scene does, whole at (0, 0).
    bool ShowPicture(int number) {
        int image = LoadPicture("stage" + std::to_string(number) + ".bfg");
        if (image == -1) return false;
        PaintBackdrop();
        DrawImage(0, 0, image, 1);
        DeleteImage(image, 0);
        return true;
    }

    // Share of the text's solid pixels that show the colour at (x, y).
    static double TextShown(const std::string& text, const picgen::Font& font, int x, int y, uint32_t colour,
                            int tolerance) {
        const picgen::Canvas mask = picgen::TextMask(text, font);
        int solid = 0, shown = 0;
        for (int my = 0; my < mask.Height(); ++my)
            for (int mx = 0; mx < mask.Width(); ++mx) {
                if (mask.At(mx, my).a < 0.95f) continue;
                ++solid;
                shown += Distance(Pixel(x + mx, y + my), colour) <= tolerance;
            }
        return solid > 20 ? static_cast<double>(shown) / solid : 0.0;
    }

    std::vector<ShippedStage> stages = ShippedStages();
};

TEST_F(StageBackgroundTest, EveryStageShowsItsNameWhereTheLayoutPutsIt) {
    ASSERT_GE(stages.size(), 1u);
    for (const ShippedStage& stage : stages) {
        SCOPED_TRACE(stage.file);
        ASSERT_TRUE(ShowPicture(stage.number));
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        ASSERT_FALSE(layout.name.empty());
        EXPECT_EQ(layout.name, stage.source.title);
        EXPECT_GT(TextShown(layout.name, layout.nameFont, layout.nameX, layout.nameY, Packed(layout.nameColour), 40), 0.97);
        // Another stage's name is not what is written there.
        const ShippedStage& other = stages[(&stage - stages.data() + 1) % stages.size()];
        if (other.source.title != stage.source.title) {
            EXPECT_LT(TextShown(other.source.title, layout.nameFont, layout.nameX, layout.nameY,
                                Packed(layout.nameColour), 40), 0.9);
        }
        // Clear of the counters and the board.
        const int right = layout.nameX + picgen::TextMask(layout.name, layout.nameFont).Width();
        EXPECT_LT(right, 372);
        EXPECT_LT(layout.nameY + picgen::TextMask(layout.name, layout.nameFont).Height(), 64);
    }
}

TEST_F(StageBackgroundTest, EveryStageShowsItsMarkCycleBelowTheBoard) {
    for (const ShippedStage& stage : stages) {
        SCOPED_TRACE(stage.file);
        ASSERT_TRUE(ShowPicture(stage.number));
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        const int limit = stage.source.markLimit;
        ASSERT_EQ(layout.cycle.size(), static_cast<std::size_t>(limit + 1));
        for (std::size_t i = 0; i < layout.cycle.size(); ++i) {
            const auto& badge = layout.cycle[i];
            EXPECT_EQ(badge.value, static_cast<int>(i) % limit + 1);
            EXPECT_GE(badge.y, 416);  // under the lowest tiles' front faces
            EXPECT_LE(badge.y + 32, 480);
            // The colour there is the mark's own, nearer it than any other mark's.
            auto [x, y] = pictures::BadgeColourPoint(badge);
            const uint32_t shown = Pixel(x, y);
            int nearest = 0;
            for (int value = 1; value <= 4; ++value)
                if (nearest == 0 || Distance(shown, Packed(pictures::palette::MarkColour(value))) <
                                        Distance(shown, Packed(pictures::palette::MarkColour(nearest))))
                    nearest = value;
            EXPECT_EQ(nearest, badge.value) << "badge " << i;
            EXPECT_LT(Distance(shown, Packed(pictures::palette::MarkColour(badge.value))), 60) << "badge " << i;
        }
    }
}

TEST_F(StageBackgroundTest, TheHintListsUndoAndRedo) {
    ASSERT_FALSE(stages.empty());
    const ShippedStage& stage = stages.front();
    ASSERT_TRUE(ShowPicture(stage.number));
    const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
    EXPECT_NE(layout.hint.find("A / U / Backspace undo"), std::string::npos);
    EXPECT_NE(layout.hint.find("S / Shift+U redo"), std::string::npos);
    EXPECT_NE(layout.hint.find("H hint"), std::string::npos);
    EXPECT_GT(TextShown(layout.hint, {"DejaVu Sans", false, 12}, layout.hintX, layout.hintY, 0xE0D8F0, 70), 0.9);
}

// A stage's warps by code, in the game's search order.
std::vector<BoardCell> WarpsOf(const Board& board, uint8_t code) {
    std::vector<BoardCell> cells;
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r)
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c)
            if (board.At(c, r) == code) cells.push_back({c, r});
    return cells;
}

TEST_F(StageBackgroundTest, WarpPairsAndOneWayChainsAreLinkedOnTheBoard) {
    int chains = 0;
    for (const ShippedStage& stage : stages) {
        SCOPED_TRACE(stage.file);
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        std::size_t expected = 0;
        for (uint8_t code : {uint8_t{CELL_WARP_A}, uint8_t{CELL_WARP_B}}) {
            const auto cells = WarpsOf(stage.source.board, code);
            if (cells.size() >= 2) expected += cells.size() - 1;  // the first pair both ways, the rest one way
        }
        EXPECT_EQ(layout.links.size(), expected);
        if (layout.links.empty()) continue;
        ++chains;
        ASSERT_TRUE(ShowPicture(stage.number));
        for (const auto& link : layout.links) {
            // The third and later warps lead to the first; the first and the
            // second lead to each other.
            const auto cells = WarpsOf(stage.source.board, link.code);
            EXPECT_TRUE(link.to == cells[0] || (link.bothWays && link.from == cells[0] && link.to == cells[1]));
            EXPECT_EQ(link.bothWays, link.from == cells[0] || link.from == cells[1]);
            // The link's glow shows in the middle of its curve.
            auto [x, y] = pictures::LinkMiddle(link);
            const uint32_t shown = Pixel(static_cast<int>(x), static_cast<int>(y));
            // Cyan for the round warps, magenta for the square ones.
            const uint32_t own = link.code == CELL_WARP_B ? 0xe070f0 : 0x50d8f0;
            const uint32_t other = link.code == CELL_WARP_B ? 0x50d8f0 : 0xe070f0;
            EXPECT_GT(shown & 255, 150u);
            EXPECT_LT(Distance(shown, own), Distance(shown, other));
        }
    }
    EXPECT_GE(chains, 2);  // the shipped set has warp pairs and a one-way chain
}

// Whether a pixel lies on a walkable cell, under a tile's front face (the
// cell below) or where the figure's head reaches (the cell above).
bool OnTheBoard(const Board& board, int x, int y) {
    const int column = x / Board::kCellPixels, row = y / Board::kCellPixels;
    for (int r = row - 1; r <= row + 1; ++r) {
        if (r >= Board::kFirstPlayRow && r <= Board::kLastPlayRow && board.At(column, r) != CELL_EMPTY) return true;
    }
    return false;
}

TEST_F(StageBackgroundTest, EveryTeachingStageCarriesARuleCardWhereNothingCoversIt) {
    const picgen::Canvas tiles = pictures::Tiles().canvas;
    int cards = 0;
    for (const ShippedStage& stage : stages) {
        SCOPED_TRACE(stage.file);
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        ASSERT_EQ(layout.card.has_value(), !stage.source.design.teaches.empty());
        if (!layout.card) continue;
        ++cards;
        const auto& card = *layout.card;
        const picgen::Rect& box = card.box;
        EXPECT_GE(box.x, 64);
        EXPECT_LE(box.x + box.w, 576);
        EXPECT_GE(box.y, 64);
        EXPECT_LE(box.y + box.h, 416);
        for (int y = box.y; y < box.y + box.h; ++y)
            for (int x = box.x; x < box.x + box.w; ++x) ASSERT_FALSE(OnTheBoard(stage.source.board, x, y)) << x << "," << y;
        for (const auto& link : layout.links)
            for (auto [x, y] : pictures::LinkPoints(link))
                EXPECT_FALSE(x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h) << "a warp link runs under the card";
        ASSERT_TRUE(ShowPicture(stage.number));
        // The game's own tiles, as drawn on the tile sheet.
        for (std::size_t i = 0; i < card.card.before.size(); ++i) {
            const std::uint8_t code = card.card.before[i];
            if (code == pictures::kCardHole) continue;
            int same = 0;
            for (int y = 4; y < 28; ++y)
                for (int x = 4; x < 28; ++x) {
                    same += Distance(Pixel(card.beforeX + 32 * static_cast<int>(i) + x, card.tilesY + y),
                                     Packed(tiles.At(32 * (code - 1) + x, y))) <= 8;
                }
            EXPECT_GT(same, 24 * 24 * 9 / 10) << "tile " << i << " (code " << int(code) << ")";
        }
        // Every line is legible at 1x: cream on the card's dark panel.
        for (std::size_t i = 0; i < card.card.lines.size(); ++i) {
            EXPECT_GT(TextShown(card.card.lines[i], card.font, card.box.x + 6, card.linesY + 13 * static_cast<int>(i),
                                Packed(pictures::palette::kCream), 40),
                      0.97)
                << card.card.lines[i];
        }
    }
    EXPECT_GE(cards, 8);
}

// All the text of a stage's card, in one line.
std::string CardText(const std::vector<ShippedStage>& stages, int number) {
    for (const ShippedStage& stage : stages) {
        if (stage.number != number) continue;
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        std::string text;
        if (layout.card)
            for (const std::string& line : layout.card->card.lines) text += (text.empty() ? "" : " ") + line;
        return text;
    }
    return {};
}

// The number of the first stage whose source teaches the name.
int FirstTeacher(const std::vector<ShippedStage>& stages, const std::string& name) {
    int first = 0;
    for (const ShippedStage& stage : stages)
        if (stage.source.design.Teaches(name) && (first == 0 || stage.number < first)) first = stage.number;
    return first;
}

TEST_F(StageBackgroundTest, TheCardsSayTheRulesAPlayerMustKnow) {
    const std::string goal = CardText(stages, 1);
    EXPECT_NE(goal.find("When every mark shows the goal's number, step on the goal"), std::string::npos) << goal;
    const std::string eraser = CardText(stages, FirstTeacher(stages, "eraser"));
    EXPECT_NE(eraser.find("next five marks you step on into holes"), std::string::npos) << eraser;
    EXPECT_NE(eraser.find("A goal does nothing until all five are used"), std::string::npos) << eraser;
    for (const std::string taught : {"arrow", "arrow-run"}) {
        const std::string arrow = CardText(stages, FirstTeacher(stages, taught));
        EXPECT_NE(arrow.find("first cell that is not a mark"), std::string::npos) << taught << ": " << arrow;
    }
    EXPECT_NE(CardText(stages, FirstTeacher(stages, "burst")).find("all eight"), std::string::npos);
}

}  // namespace
}  // namespace content_test
