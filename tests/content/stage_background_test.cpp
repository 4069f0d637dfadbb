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

TEST_F(StageBackgroundTest, OneWayWarpChainsAreLinkedOnTheBoard) {
    int chains = 0;
    for (const ShippedStage& stage : stages) {
        SCOPED_TRACE(stage.file);
        const auto layout = pictures::LayoutStageBackground(stage.source, stage.number);
        std::size_t expected = 0;
        for (uint8_t code : {uint8_t{CELL_WARP_A}, uint8_t{CELL_WARP_B}}) {
            const auto cells = WarpsOf(stage.source.board, code);
            if (cells.size() >= 3) expected += cells.size() - 1;  // the first pair both ways, the rest one way
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
            const int red = (shown >> 16) & 255, blue = shown & 255;
            EXPECT_GT(blue, 150);
            EXPECT_GT(blue, red + 30);
        }
    }
    EXPECT_GE(chains, 1);  // the shipped set has a one-way chain
}

}  // namespace
}  // namespace content_test
