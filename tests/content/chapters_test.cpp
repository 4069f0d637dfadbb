// SPDX-License-Identifier: GPL-3.0-or-later
// The staff roll's chapters, found in the stage sources.
#include <gtest/gtest.h>

#include "chapters.h"
#include "stage_source.h"

namespace {

StageSource Stage(std::uint8_t limit, std::vector<std::pair<BoardCell, std::uint8_t>> cells) {
    StageSource stage;
    stage.markLimit = limit;
    for (auto [cell, code] : cells) stage.board.Set(cell, code);
    return stage;
}

TEST(ChaptersTest, EachNewThingStartsAChapterUntilTheNextOne) {
    const std::vector<std::pair<int, StageSource>> stages = {
        {1, Stage(2, {{{3, 3}, CELL_MARK_1}})},
        {2, Stage(2, {{{3, 3}, CELL_MARK_2}})},
        {3, Stage(2, {{{3, 3}, CELL_ARROW_UP}})},
        {4, Stage(3, {{{3, 3}, CELL_ARROW_UP}})},
        {5, Stage(3, {{{3, 3}, CELL_WARP_A}, {{5, 3}, CELL_WARP_A}})},
        {6, Stage(2, {{{3, 3}, CELL_WARP_A}, {{5, 3}, CELL_WARP_A}, {{7, 3}, CELL_WARP_A}})},
        {7, Stage(2, {{{3, 3}, CELL_ARROW_LEFT}})},
    };
    const std::vector<pictures::Chapter> chapters = pictures::ChaptersOf(stages);
    ASSERT_EQ(chapters.size(), 5u);
    auto expect = [&](std::size_t i, int first, int last, const std::string& name) {
        SCOPED_TRACE(i);
        EXPECT_EQ(chapters[i].first, first);
        EXPECT_EQ(chapters[i].last, last);
        EXPECT_EQ(chapters[i].name, name);
    };
    expect(0, 1, 2, "First steps");
    expect(1, 3, 3, "Arrows");
    expect(2, 4, 4, "Counting to three");
    expect(3, 5, 5, "Warps");  // a pair of warps alone is no chain
    expect(4, 6, 7, "One-way warps");
}

}  // namespace
