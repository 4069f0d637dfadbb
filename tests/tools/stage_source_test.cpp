// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_source.h"

#include "play/stage_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Source(const std::vector<std::string>& rows, const std::string& head = "limit: 3\nbackground: bg2.bfg\n") {
    std::string text = "# a test stage\ntitle: Test\n" + head + "map:\n";
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

std::vector<std::string> Rows(std::vector<std::string> top) {
    while (top.size() < 10) top.push_back("................");
    return top;
}

class StageSourceTest : public ::testing::Test {
protected:
    // Compiles a source and reads the bytes back with the game's loader.
    StageFileResult CompileAndLoad(const std::string& text, std::uint8_t par) {
        const StageSourceResult source = ParseStageSource(text);
        EXPECT_TRUE(source.ok) << source.line << ": " << source.reason;
        return ParseStageFile(EncodeStageFile(StageFileImageOf(source.source, par)));
    }

    void ExpectFault(const std::string& text, int line, const std::string& words) {
        const StageSourceResult result = ParseStageSource(text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.line, line) << result.reason;
        EXPECT_NE(result.reason.find(words), std::string::npos) << result.reason;
    }
};

TEST_F(StageSourceTest, EveryCellCharacterReadsBackAsItsCode) {
    const StageFileResult loaded =
        CompileAndLoad(Source(Rows({"-S1234ABCDWM^>v<", "*E..............", "...............-"})), 77);
    ASSERT_TRUE(loaded) << DescribeStageFileError(loaded.error);
    const std::vector<std::uint8_t> expected = {CELL_FLOOR,      CELL_FLOOR,      CELL_MARK_1,     CELL_MARK_2,
                                                CELL_MARK_3,     CELL_MARK_4,     CELL_GOAL_1,     CELL_GOAL_2,
                                                CELL_GOAL_3,     CELL_GOAL_4,     CELL_WARP_A,     CELL_WARP_B,
                                                CELL_ARROW_UP,   CELL_ARROW_RIGHT, CELL_ARROW_DOWN, CELL_ARROW_LEFT};
    for (int column = 0; column < 16; ++column) {
        EXPECT_EQ(loaded.stage.board.At(2 + column, 2), expected[static_cast<std::size_t>(column)]) << column;
    }
    EXPECT_EQ(loaded.stage.board.At(2, 3), CELL_BURST);
    EXPECT_EQ(loaded.stage.board.At(3, 3), CELL_ERASER);
    EXPECT_EQ(loaded.stage.board.At(4, 3), CELL_EMPTY);
    EXPECT_EQ(loaded.stage.board.At(17, 4), CELL_FLOOR);
    EXPECT_EQ(loaded.stage.start, (BoardCell{3, 2}));
    EXPECT_EQ(loaded.stage.par, 77);
    EXPECT_EQ(loaded.stage.markLimit, 3);
    EXPECT_EQ(loaded.stage.backgroundName, "bg2.bfg");
    EXPECT_EQ(loaded.stage.tileName, "tails.bfg");
    EXPECT_EQ(loaded.stage.widthPixels, 640);
    EXPECT_EQ(loaded.stage.heightPixels, 480);
}

TEST_F(StageSourceTest, StartInTheLastRowAndColumn) {
    std::vector<std::string> rows = Rows({});
    rows[9] = "...............S";
    const StageFileResult loaded = CompileAndLoad(Source(rows), 255);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.stage.start, (BoardCell{17, 11}));
    EXPECT_EQ(loaded.stage.par, 255);
}

TEST_F(StageSourceTest, FaultsNameTheirLine) {
    // Lines: 1 comment, 2 title, 3 limit, 4 background, 5 map:, 6.. rows.
    ExpectFault(Source(Rows({"S...............", "....x..........."})), 7, "unknown cell 'x' in column 5");
    ExpectFault(Source(Rows({"S..............."}), "limit: 5\nbackground: bg1.bfg\n"), 3, "mark limit");
    ExpectFault(Source(Rows({"S..............."}), "background: bg1.bfg\n"), 4, "\"limit:\" is missing");
    ExpectFault(Source(Rows({"S...", "................"})), 6, "16 cells, this one 4");
    ExpectFault(Source({"S...............", "................"}), 7, "2 rows, not 10");
    std::vector<std::string> eleven = Rows({"S..............."});
    eleven.push_back("................");
    ExpectFault(Source(eleven), 16, "more than 10 map rows");
    ExpectFault(Source(Rows({"S.............S."})), 5, "exactly one start cell 'S', it has 2");
    ExpectFault(Source(Rows({})), 5, "it has 0");
    ExpectFault("limit: 2\nbackground: a.bfg\nsize: 3\nmap:\n", 3, "unknown key \"size\"");
    ExpectFault("limit: 2\nbackground: a.bfg\n", 2, "no \"map:\"");
    ExpectFault("limit 2\n", 1, "key: value");
}

TEST_F(StageSourceTest, CommentsAndBlankLinesMayStandBetweenRows) {
    std::vector<std::string> rows = Rows({"S-B............."});
    rows.insert(rows.begin() + 3, "# the middle");
    rows.insert(rows.begin() + 5, "");
    const StageSourceResult result = ParseStageSource(Source(rows));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.source.board.At(4, 2), CELL_GOAL_2);
    EXPECT_EQ(result.source.title, "Test");
}

TEST_F(StageSourceTest, WindowsLineEndsAreAccepted) {
    std::string text = Source(Rows({"S-B............."}));
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(ParseStageSource(crlf).ok);
}

TEST_F(StageSourceTest, WithoutABackgroundTheStageGetsItsOwnPicture) {
    const StageSourceResult source = ParseStageSource(Source(Rows({"S-1-A..........."}), "limit: 2\n"));
    ASSERT_TRUE(source.ok) << source.reason;
    EXPECT_TRUE(source.source.backgroundName.empty());
    EXPECT_EQ(OwnBackgroundName(7), "stage7.bfg");
    EXPECT_EQ(OwnBackgroundName(StageNumberOfSourceName("content/stages/07-crossing.stage")), "stage7.bfg");
}

TEST_F(StageSourceTest, StageNumbersComeFromTheFileNameOnly) {
    EXPECT_EQ(StageNumberOfSourceName("12-four-counts.stage"), 12);
    EXPECT_EQ(StageNumberOfSourceName("/a/3b/255-last.stage"), 255);
    EXPECT_EQ(StageNumberOfSourceName("stages/9/crossing.stage"), 0);  // a numbered folder does not count
    EXPECT_EQ(StageNumberOfSourceName("256-too-far.stage"), 0);
    EXPECT_EQ(StageNumberOfSourceName("000-none.stage"), 0);
    EXPECT_EQ(StageNumberOfSourceName(""), 0);
}

}  // namespace

namespace {

class StageDesignTest : public ::testing::Test {
protected:
    static StageSourceResult WithHeader(const std::string& header) {
        std::string text = "limit: 2\nbackground: bg1.bfg\n" + header + "map:\nS-A.............\n";
        for (int r = 1; r < 10; ++r) text += "................\n";
        return ParseStageSource(text);
    }
};

TEST_F(StageDesignTest, DeclarationsAreRead) {
    const StageSourceResult result = WithHeader("teaches: burst\nfeatures: arrow, warp10 eraser\ntraps: allowed\n");
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.source.design.teaches, (std::vector<std::string>{"burst"}));
    EXPECT_EQ(result.source.design.features, (std::vector<std::string>{"arrow", "warp10", "eraser"}));
    EXPECT_TRUE(result.source.design.trapsAllowed);
}

TEST_F(StageDesignTest, DeclarationsAreOptional) {
    const StageSourceResult result = WithHeader("");
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.source.design.teaches.empty());
    EXPECT_TRUE(result.source.design.features.empty());
    EXPECT_FALSE(result.source.design.trapsAllowed);
}

TEST_F(StageDesignTest, UnknownKindsAreFaultsOnTheirLine) {
    const StageSourceResult feature = WithHeader("features: arrow warp12\n");
    EXPECT_FALSE(feature.ok);
    EXPECT_EQ(feature.line, 3);
    EXPECT_NE(feature.reason.find("warp12"), std::string::npos);
    // Marks can be taught but are not a tile kind to feature.
    EXPECT_FALSE(WithHeader("features: frozen\n").ok);
    EXPECT_TRUE(WithHeader("teaches: frozen\n").ok);
    // A stage may teach several things, tile kinds and finer mechanics alike.
    const StageSourceResult several = WithHeader("teaches: arrow, arrow-run warp-chain\n");
    ASSERT_TRUE(several.ok) << several.reason;
    EXPECT_EQ(several.source.design.teaches, (std::vector<std::string>{"arrow", "arrow-run", "warp-chain"}));
    EXPECT_TRUE(several.source.design.Teaches("arrow-run"));
    EXPECT_FALSE(several.source.design.Teaches("burst"));
    const StageSourceResult unknown = WithHeader("teaches: arrow arrow-loop\n");
    EXPECT_FALSE(unknown.ok);
    EXPECT_NE(unknown.reason.find("arrow-loop"), std::string::npos);
    EXPECT_FALSE(WithHeader("traps: sometimes\n").ok);
    EXPECT_TRUE(WithHeader("traps: none\n").ok);
}

}  // namespace
