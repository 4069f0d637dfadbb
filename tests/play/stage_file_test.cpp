// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_file.h"
#include "play/stage_file_writer.h"

#include <gtest/gtest.h>

namespace {

// A valid full-size stage: floor over the whole playing area, a mark in its
// corner, the player at (5, 6).
class StageFileTest : public ::testing::Test {
protected:
    StageFileTest() {
        for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
            for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) image.board.Set(c, r, CELL_FLOOR);
        }
        image.board.Set(2, 2, CELL_MARK_1);
        image.properties = {{"par", "12"}, {"limit", "3"}};
        image.characters = {{5, 6}};
    }

    StageFileResult Parse() const { return ParseStageFile(EncodeStageFile(image)); }

    StageFileResult ParseWithProperty(std::size_t index, const std::string& value) {
        image.properties[index].second = value;
        return Parse();
    }

    StageFileImage image;
};

TEST_F(StageFileTest, ReadsEveryFieldTheGameUses) {
    image.backgroundName = "bg2.bfg";
    const StageFileResult result = Parse();
    ASSERT_TRUE(result) << DescribeStageFileError(result.error);
    EXPECT_EQ(result.stage.par, 12);
    EXPECT_EQ(result.stage.markLimit, 3);
    EXPECT_EQ(result.stage.widthPixels, 640);
    EXPECT_EQ(result.stage.heightPixels, 480);
    EXPECT_EQ(result.stage.backgroundName, "bg2.bfg");
    EXPECT_EQ(result.stage.tileName, "tails.bfg");
    EXPECT_EQ(result.stage.start, (BoardCell{5, 6}));
    EXPECT_EQ(result.stage.board.At(2, 2), CELL_MARK_1);
    EXPECT_EQ(result.stage.board.At(17, 11), CELL_FLOOR);
    EXPECT_EQ(result.stage.board, image.board);
}

TEST_F(StageFileTest, LastCharacterEntryIsTheStart) {
    image.characters = {{3, 3}, {20, 40}, {9, 10}};  // an earlier entry may even be out of range
    const StageFileResult result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.start, (BoardCell{9, 10}));
}

TEST_F(StageFileTest, StartCellMustBeInsideThePlayingAreaOnANonEmptyCell) {
    image.characters = {};
    EXPECT_EQ(Parse().error, StageFileError::NoCharacter);
    for (BoardCell outside : {BoardCell{1, 5}, BoardCell{18, 5}, BoardCell{5, 1}, BoardCell{5, 12}, BoardCell{-3, 5}}) {
        image.board.Set(outside, CELL_FLOOR);  // even a non-empty border cell is refused
        image.characters = {outside};
        EXPECT_EQ(Parse().error, StageFileError::StartOutside) << outside.column << "," << outside.row;
    }
    image.board.Set(7, 7, CELL_EMPTY);
    image.characters = {{7, 7}};
    EXPECT_EQ(Parse().error, StageFileError::StartOnEmpty);
}

TEST_F(StageFileTest, FailureLeavesAnEmptyBoard) {
    image.characters = {};
    const StageFileResult result = Parse();
    ASSERT_FALSE(result);
    EXPECT_EQ(result.stage.board, Board{});
}

TEST_F(StageFileTest, BorderIsEmptiedWhateverTheFileHolds) {
    for (int r = 0; r < Board::kScreenRows; ++r) {
        for (int c = 0; c < Board::kColumns; ++c) {
            if (!Board::InPlayingArea(c, r)) image.board.Set(c, r, CELL_MARK_2);
        }
    }
    const StageFileResult result = Parse();
    ASSERT_TRUE(result);
    for (int r = 0; r < Board::kRows; ++r) {
        for (int c = 0; c < Board::kColumns; ++c) {
            if (!Board::InPlayingArea(c, r)) {
                EXPECT_EQ(result.stage.board.At(c, r), CELL_EMPTY) << c << "," << r;
            }
        }
    }
    EXPECT_EQ(result.stage.board.At(2, 2), CELL_MARK_1);
}

TEST_F(StageFileTest, SmallerBoardLeavesTheRestEmpty) {
    image.widthPixels = 320 + 31;  // 10 columns: the width truncates
    image.heightPixels = 224;      // 7 rows
    const StageFileResult result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.board.At(9, 6), CELL_FLOOR);
    EXPECT_EQ(result.stage.board.At(10, 6), CELL_EMPTY);
    EXPECT_EQ(result.stage.board.At(9, 7), CELL_EMPTY);
}

TEST_F(StageFileTest, TallerBoardUpToTheGridIsRead) {
    image.heightPixels = 960;
    EXPECT_TRUE(Parse());
    image.widthPixels = 640 + 31;  // still 20 columns, but wider than the grid in pixels
    EXPECT_EQ(Parse().error, StageFileError::BadSize);
}

TEST_F(StageFileTest, BoardsLargerThanTheGridOrNegativeAreRefused) {
    image.widthPixels = 672;
    EXPECT_EQ(Parse().error, StageFileError::BadSize);
    image.widthPixels = 640;
    image.heightPixels = 992;
    EXPECT_EQ(Parse().error, StageFileError::BadSize);
    image.heightPixels = -32;
    EXPECT_EQ(Parse().error, StageFileError::BadSize);
}

TEST_F(StageFileTest, ParValueFallsBackTo255OutsideZeroTo254) {
    EXPECT_EQ(ParseWithProperty(0, "300").stage.par, 255);
    EXPECT_EQ(ParseWithProperty(0, "254").stage.par, 254);
    EXPECT_EQ(ParseWithProperty(0, "255").stage.par, 255);
    EXPECT_EQ(ParseWithProperty(0, "-1").stage.par, 255);
    EXPECT_EQ(ParseWithProperty(0, "0").stage.par, 0);
    EXPECT_EQ(ParseWithProperty(0, "  +17 steps").stage.par, 17);
    EXPECT_EQ(ParseWithProperty(0, "many").stage.par, 0);  // no digits count as 0
    EXPECT_EQ(ParseWithProperty(0, "99999999999999999999").stage.par, 255);
}

TEST_F(StageFileTest, MarkLimitFallsBackTo2OutsideOneToFour) {
    EXPECT_EQ(ParseWithProperty(1, "0").stage.markLimit, 2);
    EXPECT_EQ(ParseWithProperty(1, "7").stage.markLimit, 2);
    EXPECT_EQ(ParseWithProperty(1, "3").stage.markLimit, 3);
    EXPECT_EQ(ParseWithProperty(1, "1").stage.markLimit, 1);
    EXPECT_EQ(ParseWithProperty(1, "4").stage.markLimit, 4);
    EXPECT_EQ(ParseWithProperty(1, "").stage.markLimit, 2);
}

TEST_F(StageFileTest, PropertyKeysAreIgnoredOnlyOrderCounts) {
    image.properties = {{"limit", "9"}, {"", "4"}, {"par", "77"}};  // a third property is read and ignored
    const StageFileResult result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.par, 9);
    EXPECT_EQ(result.stage.markLimit, 4);
}

TEST_F(StageFileTest, MissingPropertiesTakeTheFallbacks) {
    image.properties = {{"par", "20"}};
    StageFileResult result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.par, 20);
    EXPECT_EQ(result.stage.markLimit, 2);
    image.properties = {};
    result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.par, 255);
    EXPECT_EQ(result.stage.markLimit, 2);
}

TEST_F(StageFileTest, TilePictureAndThirdNameHaveNoEffect) {
    const StageFileResult plain = Parse();
    image.tileName = "other.bfg";
    image.thirdName = "anything";
    const StageFileResult odd = Parse();
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd.stage.board, plain.stage.board);
    EXPECT_EQ(odd.stage.start, plain.stage.start);
}

TEST_F(StageFileTest, EveryTruncationFailsLikeAMissingFile) {
    image.characters = {{4, 4}, {5, 6}};
    const std::vector<std::uint8_t> bytes = EncodeStageFile(image);
    ASSERT_TRUE(ParseStageFile(bytes));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const StageFileResult result = ParseStageFile(std::span(bytes).first(length));
        EXPECT_EQ(result.error, StageFileError::Truncated) << "length " << length;
        EXPECT_EQ(result.stage.board, Board{});
    }
}

TEST_F(StageFileTest, TrailingBytesAreIgnored) {
    std::vector<std::uint8_t> bytes = EncodeStageFile(image);
    bytes.insert(bytes.end(), {1, 2, 3});
    EXPECT_TRUE(ParseStageFile(bytes));
}

TEST_F(StageFileTest, NamesAreConvertedFromUtf16) {
    image.backgroundName = "背景\xF0\x9F\x8C\x99.bfg";  // a character outside the basic plane too
    const StageFileResult result = Parse();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.backgroundName, image.backgroundName);
}

TEST_F(StageFileTest, ParFromTheHeadAgreesWithTheWholeFile) {
    for (const char* par : {"0", "41", "254", "300", "x"}) {
        image.properties[0].second = par;
        const std::vector<std::uint8_t> bytes = EncodeStageFile(image);
        EXPECT_EQ(ParseStagePar(bytes), ParseStageFile(bytes).stage.par) << par;
    }
    const std::vector<std::uint8_t> bytes = EncodeStageFile(image);
    EXPECT_EQ(ParseStagePar(std::span(bytes).first(10)), std::nullopt);
}

// The name rides as a third property that the stage reader passes over.
TEST_F(StageFileTest, TheNameIsAThirdPropertyOnlyTheTitleCardReads) {
    image.properties = StageProperties(12, 3, "Crossroads \xc3\xa0 deux");
    const std::vector<std::uint8_t> named = EncodeStageFile(image);
    EXPECT_EQ(ParseStageName(named), "Crossroads \xc3\xa0 deux");
    const StageFileResult result = ParseStageFile(named);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.stage.par, 12);
    EXPECT_EQ(result.stage.markLimit, 3);
    EXPECT_EQ(result.stage.board, image.board);

    // Without a name the file is the two-property file of old.
    image.properties = StageProperties(12, 3, "");
    EXPECT_EQ(image.properties.size(), 2u);
    EXPECT_EQ(ParseStageName(EncodeStageFile(image)), "");
    // A third property under another key is no name; nor is a title first.
    image.properties = {{"par", "12"}, {"limit", "3"}, {"author", "someone"}};
    EXPECT_EQ(ParseStageName(EncodeStageFile(image)), "");
    image.properties = {{"title", "12"}, {"limit", "3"}};
    EXPECT_EQ(ParseStageName(EncodeStageFile(image)), "");
    // A head cut anywhere before the name's last unit gives none.
    const std::size_t nameEnd = 9 + 12 + 14 + 11 + 1 + 2 * 17;
    for (std::size_t cut = 0; cut < nameEnd; ++cut) {
        EXPECT_EQ(ParseStageName(std::span(named).first(cut)), "") << cut;
    }
    EXPECT_EQ(ParseStageName(std::span(named).first(nameEnd)), "Crossroads \xc3\xa0 deux");
}

TEST(StageFilePath, NumbersWithoutLeadingZeros) {
    EXPECT_EQ(StageFilePath(1), "Stage/stage1.map");
    EXPECT_EQ(StageFilePath(207), "Stage/stage207.map");
}

}  // namespace
