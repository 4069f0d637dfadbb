// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/step_history.h"

#include <gtest/gtest.h>

#include <optional>

#include "play/undo_input.h"

namespace {

// Points told apart by the figure's column and the step count.
PlayPoint PointNumber(int n) {
    PlayPoint point;
    point.figure.cell = BoardCell{n, 3};
    point.rules.steps = static_cast<std::uint8_t>(n % 256);
    point.rules.board.Set(2 + n % 16, 4, CELL_MARK_1);
    return point;
}

int NumberOf(const std::optional<PlayPoint>& point) {
    return point ? point->figure.cell.column : -1;
}

class StepHistoryTest : public ::testing::Test {
protected:
    // Steps 0 -> 1 -> 2 -> 3 recorded; the play stands at point 3.
    void PlayThree() {
        for (int n = 0; n < 3; ++n) history.Record(PointNumber(n));
    }
    StepHistory history;
};

TEST_F(StepHistoryTest, NothingToUndoOrRedoAtTheStart) {
    EXPECT_FALSE(history.Undo(PointNumber(0)));
    EXPECT_FALSE(history.Redo(PointNumber(0)));
    EXPECT_EQ(history.UndoCount(), 0u);
    EXPECT_EQ(history.RedoCount(), 0u);
}

TEST_F(StepHistoryTest, UndoGoesBackOnePointAtATimeToTheStart) {
    PlayThree();
    EXPECT_EQ(NumberOf(history.Undo(PointNumber(3))), 2);
    EXPECT_EQ(NumberOf(history.Undo(PointNumber(2))), 1);
    const std::optional<PlayPoint> start = history.Undo(PointNumber(1));
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, PointNumber(0));  // the whole state, board included
    EXPECT_FALSE(history.Undo(PointNumber(0)));
    EXPECT_EQ(history.RedoCount(), 3u);
}

TEST_F(StepHistoryTest, RedoReturnsTheUndonePointsInOrder) {
    PlayThree();
    history.Undo(PointNumber(3));
    history.Undo(PointNumber(2));
    EXPECT_EQ(NumberOf(history.Redo(PointNumber(1))), 2);
    const std::optional<PlayPoint> end = history.Redo(PointNumber(2));
    ASSERT_TRUE(end);
    EXPECT_EQ(*end, PointNumber(3));
    EXPECT_FALSE(history.Redo(PointNumber(3)));
    // And back again: redo put the points back on the undo side.
    EXPECT_EQ(NumberOf(history.Undo(PointNumber(3))), 2);
    EXPECT_EQ(history.UndoCount(), 2u);
}

TEST_F(StepHistoryTest, ANewStepForgetsTheUndoneSteps) {
    PlayThree();
    history.Undo(PointNumber(3));
    history.Undo(PointNumber(2));
    history.Record(PointNumber(1));  // a different step from point 1
    EXPECT_EQ(history.RedoCount(), 0u);
    EXPECT_FALSE(history.Redo(PointNumber(7)));
    EXPECT_EQ(NumberOf(history.Undo(PointNumber(7))), 1);
    EXPECT_EQ(NumberOf(history.Undo(PointNumber(1))), 0);
}

TEST_F(StepHistoryTest, KeepsTheLatestStepsWhenFull) {
    const int total = static_cast<int>(StepHistory::kMaxSteps) + 5;
    for (int n = 0; n < total; ++n) history.Record(PointNumber(n));
    EXPECT_EQ(history.UndoCount(), StepHistory::kMaxSteps);
    int last = -1;
    for (int n = total; n > 0; --n) {
        const std::optional<PlayPoint> point = history.Undo(PointNumber(n));
        if (!point) break;
        last = NumberOf(point);
    }
    EXPECT_EQ(last, 5);  // the five oldest were forgotten
    EXPECT_EQ(history.RedoCount(), StepHistory::kMaxSteps);
}

class UndoInputTest : public ::testing::Test {
protected:
    // Feeds one frame as the map scene does: the held bits only while tracking.
    UndoAction Frame(std::uint32_t pressed, std::uint32_t held) {
        return input.Next(pressed, input.Tracking() ? held : 0);
    }
    UndoInput input;
};

TEST_F(UndoInputTest, HeldButtonActsOnPressThenEveryTenFrames) {
    std::vector<int> acted;
    EXPECT_EQ(Frame(kUndoPadBit, kUndoPadBit), UndoAction::Undo);
    for (int frame = 1; frame <= 35; ++frame) {
        if (Frame(0, kUndoPadBit) == UndoAction::Undo) acted.push_back(frame);
    }
    EXPECT_EQ(acted, (std::vector<int>{10, 20, 30}));
    EXPECT_TRUE(input.Tracking());
    EXPECT_EQ(Frame(0, 0), UndoAction::None);  // released
    EXPECT_FALSE(input.Tracking());
    // Held again without going down (the loop did not report it): nothing.
    for (int frame = 0; frame < 20; ++frame) EXPECT_EQ(Frame(0, kUndoPadBit), UndoAction::None);
}

TEST_F(UndoInputTest, RedoRepeatsLikewise) {
    EXPECT_EQ(Frame(kRedoPadBit, kRedoPadBit), UndoAction::Redo);
    for (int frame = 1; frame < 10; ++frame) EXPECT_EQ(Frame(0, kRedoPadBit), UndoAction::None);
    EXPECT_EQ(Frame(0, kRedoPadBit), UndoAction::Redo);
}

TEST_F(UndoInputTest, OtherHeldBitsDoNotKeepARepeatGoing) {
    EXPECT_EQ(Frame(kUndoPadBit, kUndoPadBit), UndoAction::Undo);
    EXPECT_EQ(Frame(0, kRedoPadBit | 0xF), UndoAction::None);
    EXPECT_FALSE(input.Tracking());
    EXPECT_EQ(Frame(0x4, 0x4), UndoAction::None);
}

TEST_F(UndoInputTest, UndoWinsAndANewPressTakesOver) {
    EXPECT_EQ(Frame(kUndoPadBit | kRedoPadBit, kUndoPadBit | kRedoPadBit), UndoAction::Undo);
    for (int frame = 1; frame <= 5; ++frame) Frame(0, kUndoPadBit);
    // Redo goes down while undo is still held: redo acts and its own count starts.
    EXPECT_EQ(Frame(kRedoPadBit, kUndoPadBit | kRedoPadBit), UndoAction::Redo);
    for (int frame = 1; frame < 10; ++frame) {
        EXPECT_EQ(Frame(0, kUndoPadBit | kRedoPadBit), UndoAction::None) << frame;
    }
    EXPECT_EQ(Frame(0, kUndoPadBit | kRedoPadBit), UndoAction::Redo);
}

}  // namespace
