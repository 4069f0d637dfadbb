// SPDX-License-Identifier: GPL-3.0-or-later
// The map scene played through the game's frame loop, frame by frame.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "map_scene_fixture.h"

namespace {

using play_pictures::Figure;
using play_pictures::IsFigure;
using play_pictures::NumberDigit;
using play_pictures::TileBottom;
using play_pictures::TileTop;

constexpr int kStartX = 5 * 32;
constexpr int kStartY = 6 * 32;

// Columns of the walk frames, by frame index.
constexpr int kWalkColumns[9] = {0, 0, 1, 2, 2, 0, 3, 4, 4};

int CountOf(const std::vector<RuleSound>& sounds, RuleSound which) {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), which));
}

class MapScenePlay : public MapSceneTest {};

TEST_F(MapScenePlay, WalkTakesSeventeenFramesAndMovesOneCellPixelExactly) {
    keepPixels = true;
    Play(20, Hold({KEY_RIGHT}, 1, 1));
    ASSERT_GE(frames.size(), 18u);
    for (int f = 1; f <= 17; ++f) {
        const FrameRecord& rec = At(f);
        const int moved = f == 17 ? 8 : std::min(8, (f + 1) / 2);
        EXPECT_EQ(rec.x, kStartX + 4 * moved) << "frame " << f;
        EXPECT_EQ(rec.y, kStartY);
        EXPECT_EQ(rec.animating, f < 17) << f;
        // The figure is drawn 32 pixels above its cell, its left edge at x.
        const int frameIndex = f == 17 ? 0 : (f + 1) / 2;
        const uint32_t expected = Figure(kWalkColumns[frameIndex], 2);
        EXPECT_EQ(play_pictures::At(rec.pixels, rec.x + 16, rec.y + 10), expected) << f;
        EXPECT_EQ(play_pictures::At(rec.pixels, rec.x + 16, rec.y - 32), expected) << f;
        EXPECT_TRUE(IsFigure(play_pictures::At(rec.pixels, rec.x + 31, rec.y + 31))) << f;
        EXPECT_FALSE(IsFigure(play_pictures::At(rec.pixels, rec.x - 1, rec.y + 10))) << f;
        EXPECT_FALSE(IsFigure(play_pictures::At(rec.pixels, rec.x + 32, rec.y + 10))) << f;
        EXPECT_FALSE(IsFigure(play_pictures::At(rec.pixels, rec.x + 16, rec.y + 32))) << f;
        EXPECT_FALSE(IsFigure(play_pictures::At(rec.pixels, rec.x + 16, rec.y - 33))) << f;
        // The transparent corner of the frame shows the tile behind it.
        EXPECT_EQ(play_pictures::At(rec.pixels, rec.x + 1, rec.y - 31), TileTop(CELL_FLOOR)) << f;
        EXPECT_EQ(rec.steps, 1);
    }
    EXPECT_EQ(At(18).x, kStartX + 32);
    EXPECT_EQ(sounds, std::vector<RuleSound>{RuleSound::Footstep});
    EXPECT_EQ(NextId(), SceneEnd);
}

TEST_F(MapScenePlay, HeldDirectionWalksACellEverySeventeenFrames) {
    Play(60, Hold({KEY_RIGHT}));
    // Each step starts in the frame after the previous one ended.
    for (int step = 0; step < 3; ++step) {
        const int first = 1 + 17 * step;
        EXPECT_EQ(At(first).steps, step + 1);
        EXPECT_EQ(At(first).x, kStartX + 32 * step + 4);
        EXPECT_EQ(At(first + 16).x, kStartX + 32 * (step + 1));
        EXPECT_FALSE(At(first + 16).animating);
        EXPECT_EQ(At(first + 16).soundsSoFar, static_cast<size_t>(step + 1));
    }
    EXPECT_EQ(At(52).steps, 4);
    EXPECT_EQ(CountOf(sounds, RuleSound::Footstep), 4);
}

TEST_F(MapScenePlay, StepAgainstEmptyCellWalksOnTheSpotUncountedWithoutRule) {
    keepPixels = true;
    stage.board.Set(4, 6, CELL_EMPTY);
    stage.board.Set(5, 6, CELL_MARK_1);  // the start cell: a rule would advance it
    uint8_t underPlayer = 0;
    observe = [&](CMapSeen& scene) { underPlayer = scene.rules.board.At(5, 6); };
    Play(40, Hold({KEY_LEFT}));
    std::set<uint32_t> shown;
    for (int f = 1; f <= 40; ++f) {
        EXPECT_EQ(At(f).x, kStartX) << f;
        EXPECT_EQ(At(f).y, kStartY) << f;
        EXPECT_EQ(At(f).steps, 0) << f;
        shown.insert(play_pictures::At(At(f).pixels, kStartX + 16, kStartY + 10));
    }
    EXPECT_EQ(At(1).stepKind, kStepBlocked);
    EXPECT_GE(shown.size(), 4u);  // the walk frames play on the spot
    // Held against the empty cell the walk repeats, with its footstep, every 17 frames.
    EXPECT_EQ(sounds, (std::vector<RuleSound>{RuleSound::Footstep, RuleSound::Footstep,
                                               RuleSound::Footstep}));
    EXPECT_EQ(At(17).soundsSoFar, 1u);
    EXPECT_EQ(At(18).soundsSoFar, 2u);
    EXPECT_EQ(At(35).soundsSoFar, 3u);
    EXPECT_EQ(underPlayer, CELL_MARK_1);
}

TEST_F(MapScenePlay, DirectionPriorityWhenTwoAreHeld) {
    struct Case {
        std::vector<int> keys;
        int dx, dy;
    };
    const Case cases[] = {{{KEY_LEFT, KEY_UP}, -32, 0},
                          {{KEY_UP, KEY_RIGHT}, 0, -32},
                          {{KEY_RIGHT, KEY_DOWN}, 32, 0},
                          {{KEY_DOWN, KEY_LEFT}, -32, 0}};
    for (const Case& c : cases) {
        Reset();
        Play(17, Hold(c.keys, 1, 1));
        ASSERT_EQ(frames.size(), 17u);
        EXPECT_EQ(At(17).x, kStartX + c.dx) << c.keys[0];
        EXPECT_EQ(At(17).y, kStartY + c.dy) << c.keys[0];
    }
}

TEST_F(MapScenePlay, BlockedStepIsReplacedAtOnceByAnotherDirection) {
    stage.board.Set(4, 6, CELL_EMPTY);
    Play(30, [](int pass) {
        if (pass <= 5) return std::vector<int>{KEY_LEFT};
        if (pass == 6) return std::vector<int>{KEY_UP};
        return std::vector<int>{};
    });
    EXPECT_EQ(At(5).stepKind, kStepBlocked);
    EXPECT_EQ(At(5).steps, 0);
    EXPECT_EQ(At(6).motion, MOTION_WALK_UP);
    EXPECT_EQ(At(6).stepKind, kStepMoving);
    EXPECT_EQ(At(6).steps, 1);
    // The new walk first waits out the frame the blocked one was showing.
    EXPECT_EQ(At(6).y, kStartY);
    EXPECT_EQ(At(7).y, kStartY - 4);
    EXPECT_TRUE(At(22).animating);
    EXPECT_EQ(At(23).y, kStartY - 32);
    EXPECT_FALSE(At(23).animating);
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(MapScenePlay, MarkAdvancesWhenTheMoveEnds) {
    stage.board.Set(6, 6, CELL_MARK_2);
    stage.properties[1].second = "3";
    std::vector<uint8_t> cell;
    observe = [&](CMapSeen& scene) { cell.push_back(scene.rules.board.At(6, 6)); };
    Play(20, Hold({KEY_RIGHT}, 1, 1));
    EXPECT_EQ(cell.at(15), CELL_MARK_2);  // frame 16
    EXPECT_EQ(cell.at(16), CELL_MARK_3);  // frame 17: the walk ended
    EXPECT_EQ(sounds, (std::vector<RuleSound>{RuleSound::Footstep, RuleSound::Brock}));
    EXPECT_EQ(At(16).soundsSoFar, 1u);
    EXPECT_EQ(At(17).soundsSoFar, 2u);
}

TEST_F(MapScenePlay, WarpLeavesMovesAndArrivesWithTheSoundTwice) {
    stage.board.Set(6, 6, CELL_WARP_A);
    stage.board.Set(10, 8, CELL_WARP_A);
    Play(60, Hold({KEY_RIGHT}));
    // Frame 17: the walk ends on the warp; the leave animation takes 16 frames.
    EXPECT_EQ(At(17).motion, MOTION_WARP_LEAVE);
    EXPECT_EQ(At(17).x, 6 * 32);
    EXPECT_EQ(At(32).x, 6 * 32);
    EXPECT_EQ(At(32).motion, MOTION_WARP_LEAVE);
    // Frame 33: moved to the partner; arriving takes 13 frames, input waits.
    EXPECT_EQ(At(33).x, 10 * 32);
    EXPECT_EQ(At(33).y, 8 * 32);
    EXPECT_EQ(At(33).motion, MOTION_WARP_ARRIVE);
    EXPECT_TRUE(At(45).animating);
    EXPECT_FALSE(At(46).animating);
    EXPECT_EQ(At(46).x, 10 * 32);  // no bounce back
    EXPECT_EQ(At(46).steps, 1);
    EXPECT_EQ(At(47).steps, 2);  // the held key walks on
    EXPECT_EQ(At(47).x, 10 * 32 + 4);
    ASSERT_GE(sounds.size(), 4u);
    EXPECT_EQ(std::vector<RuleSound>(sounds.begin(), sounds.begin() + 4),
              (std::vector<RuleSound>{RuleSound::Footstep, RuleSound::Warp, RuleSound::Warp,
                                      RuleSound::Footstep}));
    EXPECT_EQ(At(17).soundsSoFar, 2u);
    EXPECT_EQ(At(33).soundsSoFar, 3u);
}

TEST_F(MapScenePlay, EraserMakesTheFigureHalfTransparent) {
    keepPixels = true;
    stage.board.Set(6, 6, CELL_ERASER);
    Play(20, Hold({KEY_RIGHT}, 1, 1));
    EXPECT_FALSE(At(16).eraseMode);
    EXPECT_TRUE(At(17).eraseMode);
    EXPECT_EQ(At(17).erasuresLeft, 5);
    EXPECT_EQ(play_pictures::At(At(16).pixels, At(16).x + 16, kStartY + 10), Figure(4, 2));
    const uint32_t blended = play_pictures::At(At(17).pixels, 6 * 32 + 16, kStartY + 10);
    const int red = static_cast<int>(blended >> 16);
    EXPECT_GT(red, 0x70);
    EXPECT_LT(red, 0x90);
    EXPECT_EQ(sounds.back(), RuleSound::Erase);
}

TEST_F(MapScenePlay, BoardAndCountersAreDrawn) {
    keepPixels = true;
    stage.board.Set(3, 3, CELL_MARK_1);
    stage.board.Set(3, 11, CELL_GOAL_1);
    stage.board.Set(4, 4, CELL_EMPTY);
    stage.properties[0].second = "20";
    records = {0};
    Play(1, nullptr);
    const auto& px = At(1).pixels;
    EXPECT_EQ(play_pictures::At(px, 3 * 32 + 5, 3 * 32 + 5), TileTop(CELL_MARK_1));
    // Each tile's lower half shows where the row below has no tile.
    EXPECT_EQ(play_pictures::At(px, 4 * 32 + 5, 4 * 32 + 5), TileBottom(CELL_FLOOR));
    EXPECT_EQ(play_pictures::At(px, 3 * 32 + 5, 12 * 32 + 5), TileBottom(CELL_GOAL_1));
    EXPECT_EQ(play_pictures::At(px, 3 * 32 + 5, 4 * 32 + 5), TileTop(CELL_FLOOR));
    EXPECT_EQ(play_pictures::At(px, 1 * 32 + 5, 5 * 32 + 5), play_pictures::kBackground);
    // Par 20 at 420, best (none: 255) at 530, steps 0 at 608, left-aligned.
    EXPECT_EQ(play_pictures::At(px, 420, 12), NumberDigit(2));
    EXPECT_EQ(play_pictures::At(px, 428, 12), NumberDigit(0));
    EXPECT_EQ(play_pictures::At(px, 530, 20), NumberDigit(2));
    EXPECT_EQ(play_pictures::At(px, 538, 20), NumberDigit(5));
    EXPECT_EQ(play_pictures::At(px, 546, 27), NumberDigit(5));
    EXPECT_EQ(play_pictures::At(px, 608, 12), NumberDigit(0));
    EXPECT_EQ(play_pictures::At(px, 615, 12), play_pictures::kBackground);
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(MapScenePlay, MusicStopsWhileTheWindowIsInactive) {
    std::vector<int> paused;
    int music = -1;
    observe = [&](CMapSeen& scene) {
        paused.push_back(scene.musicPaused);
        music = scene.music;
    };
    for (int pass = 10; pass <= 20; ++pass) windowInactive.insert(pass);
    Play(25, nullptr);
    EXPECT_NE(music, -1);
    EXPECT_EQ(paused.at(0), 0);   // started in the first frame
    EXPECT_EQ(paused.at(8), 0);
    EXPECT_EQ(paused.at(9), 1);   // pass 10
    EXPECT_EQ(paused.at(19), 1);
    EXPECT_EQ(paused.at(20), 0);  // active again: played from tick 3000
}

TEST_F(MapScenePlay, MissingStageFileEndsTheGameWithItsMessage) {
    mode = 1;
    continueStage = 3;
    Play(5, nullptr);
    EXPECT_TRUE(frames.empty() || !frames.front().playing);
    ASSERT_FALSE(headless::Messages().empty());
    EXPECT_EQ(headless::Messages().back().text, "不正なデータです。\u3000ゲームを終了します。");
    EXPECT_EQ(headless::Messages().back().caption, "エラー");
}

// ---------------------------------------------------------------------------

class MapSceneClear : public MapSceneTest {
protected:
    // A goal for 2 right of the start and one mark showing 2.
    void SetUp() override {
        MapSceneTest::SetUp();
        stage.board.Set(6, 6, CELL_GOAL_2);
        stage.board.Set(9, 9, CELL_MARK_2);
    }
};

TEST_F(MapSceneClear, PoseFadeAndRiseFrameByFrame) {
    Play(400, Hold({KEY_RIGHT}), 1);  // held all along: no input reaches the figure
    EXPECT_EQ(At(17).motion, MOTION_CLEAR_POSE);
    EXPECT_EQ(At(17).playState, kPlayStatePlaying);
    EXPECT_EQ(sounds, (std::vector<RuleSound>{RuleSound::Footstep, RuleSound::Clear}));
    // The pose lasts 31 frames; then the fade begins in the same frame.
    EXPECT_EQ(At(47).playState, kPlayStatePlaying);
    EXPECT_EQ(At(48).playState, kPlayStateClearing);
    EXPECT_EQ(At(48).fade, 254);
    EXPECT_EQ(At(48).y, kStartY);
    for (int f = 49; f <= 174; ++f) {
        EXPECT_EQ(At(f).fade, 254 - 2 * (f - 48)) << f;
        EXPECT_EQ(At(f).y, kStartY - 2 * (f - 48)) << f;
        EXPECT_EQ(At(f).x, 6 * 32);
        EXPECT_EQ(At(f).steps, 1);
    }
    // Frame 175: opacity 0, 127 frames of rising (254 pixels), next scene.
    ASSERT_EQ(frames.size(), 175u);
    EXPECT_FALSE(At(175).playing);
    EXPECT_EQ(NextId(), SceneStageTitle);
}

// The banner over the fade, read back from the screen: its digits are the
// glyphs of "number.bfg", doubled; the plate's colour fills the rest.
class MapSceneBanner : public MapSceneClear {
protected:
    static constexpr uint32_t kPlate = 0x141A38;
    static constexpr int kDigit = 8 * ClearBanner::kDigitScale;

    // The number whose doubled digits start at (x, y), read left to right.
    static int ReadNumber(const std::vector<uint32_t>& px, int x, int y) {
        int value = -1;
        for (;; x += kDigit) {
            int digit = -1;
            for (int d = 0; d < 10; ++d)
                if (play_pictures::At(px, x + 1, y + 1) == NumberDigit(d)) digit = d;
            if (digit < 0) return value;
            value = (value < 0 ? 0 : 10 * value) + digit;
        }
    }
    // Any pixel of the badge row that is not the plate: a word is written there.
    static bool BadgeShown(const std::vector<uint32_t>& px, int left) {
        const int top = ClearBanner::kTop + ClearBanner::kNumbersY + 16 * ClearBanner::kDigitScale + 4;
        for (int y = top; y < ClearBanner::kTop + ClearBanner::kHeight - 6; ++y)
            for (int x = left + 8; x < left + ClearBanner::kWidth - 8; ++x)
                if (play_pictures::At(px, x, y) != kPlate) return true;
        return false;
    }
    // The first frame of the fade.
    int FadeStart() const {
        for (const FrameRecord& rec : frames)
            if (rec.playState == kPlayStateClearing) return rec.frame;
        return 0;
    }
};

TEST_F(MapSceneBanner, ShowsTheStepsAgainstParBesideTheRisingFigure) {
    struct Case {
        int column;          // the figure's start column; the goal is right of it
        uint8_t record;      // stored before the clear
        const char* par;
        bool badge;          // a new best or a clear within par
    };
    for (const Case c : {Case{5, 0, "20", true}, Case{12, 1, "0", false}, Case{5, 7, "1", true}}) {
        Reset();
        SCOPED_TRACE("column " + std::to_string(c.column) + ", record " + std::to_string(c.record));
        keepPixels = true;
        records = {c.record};
        mode = 2;
        stage.properties = {{"par", c.par}, {"limit", "2"}};
        stage.board.Set(6, 6, CELL_FLOOR);
        stage.board.Set(c.column + 1, 6, CELL_GOAL_2);
        stage.characters = {{c.column, 6}};
        Play(400, Hold({KEY_RIGHT}, 1, 1));
        const int start = FadeStart();
        ASSERT_EQ(start, 48);
        // Not before the fade; fully in after its first frames.
        const int figureX = 32 * (c.column + 1);
        const int left = ClearBanner::LeftFor(figureX);
        EXPECT_NE(play_pictures::At(At(start - 1).pixels, left + 20, ClearBanner::kTop + 20), kPlate);
        const auto& px = At(start + ClearBanner::kFadeInFrames).pixels;
        EXPECT_EQ(play_pictures::At(px, left + 20, ClearBanner::kTop + 20), kPlate);
        const int y = ClearBanner::kTop + ClearBanner::kNumbersY;
        EXPECT_EQ(ReadNumber(px, left + ClearBanner::kStepsRight - kDigit, y), 1);
        EXPECT_EQ(ReadNumber(px, left + ClearBanner::kParLeft, y), std::atoi(c.par));
        EXPECT_EQ(BadgeShown(px, left), c.badge);
        // The figure and the goal rise in a column the banner keeps out of.
        EXPECT_TRUE(figureX + 32 <= left || figureX >= left + ClearBanner::kWidth);
        for (int f = start; f < start + 100; ++f) {
            const auto& frame = At(f).pixels;
            EXPECT_NE(play_pictures::At(frame, figureX + 2, At(f).y + 40), kPlate) << f;
        }
        // It stays to the end of the fade.
        EXPECT_EQ(ReadNumber(At(174).pixels, left + ClearBanner::kParLeft, y), std::atoi(c.par));
    }
}

TEST_F(MapSceneClear, TheGoalRisesWithTheFigure) {
    keepPixels = true;
    uint8_t goalCell = 255;
    observe = [&](CMapSeen& scene) { goalCell = scene.rules.board.At(6, 6); };
    Play(100, Hold({KEY_RIGHT}, 1, 1));
    EXPECT_EQ(goalCell, CELL_EMPTY);
    // Frame 60: the figure is 24 pixels up; the goal tile is drawn at its place.
    const FrameRecord& rec = At(60);
    EXPECT_EQ(rec.y, kStartY - 24);
    const uint32_t goal = play_pictures::At(rec.pixels, 6 * 32 + 2, rec.y + 40);
    const uint32_t floorBelow = play_pictures::At(rec.pixels, 6 * 32 + 2, 7 * 32 + 20);
    EXPECT_NE(goal, floorBelow);
    EXPECT_NE(goal, 0u);
}

TEST_F(MapSceneClear, WrongMarksDoNotClear) {
    stage.board.Set(6, 6, CELL_GOAL_1);
    Play(60, Hold({KEY_RIGHT}, 1, 1));
    EXPECT_EQ(At(60).playState, kPlayStatePlaying);
    EXPECT_EQ(At(60).motion, MOTION_WALK_RIGHT);
    EXPECT_EQ(sounds, std::vector<RuleSound>{RuleSound::Footstep});
}

TEST_F(MapSceneClear, RecordOnlyWhenStrictlyBetterAndSaved) {
    struct Case {
        uint8_t stored;
        uint8_t expected;
    };
    for (const Case c : {Case{0, 1}, Case{5, 1}, Case{1, 1}}) {
        Reset();
        records = {c.stored};
        mode = 2;
        Play(400, Hold({KEY_RIGHT}, 1, 1));
        EXPECT_EQ(NextId(), SceneSelect);
        ASSERT_EQ(after.records.size(), 1u);
        EXPECT_EQ(after.records[0], c.expected) << int(c.stored);
        const std::vector<unsigned char> saved = dir.Read("data.sav");
        const std::vector<unsigned char> expected = {'V', 'T', 'R', 1, 1, c.expected};
        EXPECT_EQ(saved, expected);
    }
}

TEST_F(MapSceneClear, AClearInTheLastCountNeverReplacesNoRecord) {
    records = {0};
    mode = 2;
    int seen = 0;
    observe = [&](CMapSeen& scene) {
        if (++seen == 10) scene.rules.steps = kMaxStepCount;  // during the walk
    };
    Play(400, Hold({KEY_RIGHT}, 1, 1));
    EXPECT_EQ(NextId(), SceneSelect);
    EXPECT_EQ(after.records.at(0), 0);
    EXPECT_EQ(dir.Read("data.sav").at(5), 0);
}

TEST_F(MapSceneClear, NextScenesByPlayMode) {
    struct Case {
        int mode;
        uint8_t continueStage;
        uint8_t selectedStage;
        int extraStages;
        SceneId next;
        int modeAfter;
        int continueAfter;
    };
    const Case cases[] = {
        {0, 7, 7, 2, SceneStageTitle, 1, 2},  // from stage 1 whatever continue says
        {1, 2, 1, 2, SceneStageTitle, 1, 3},
        {1, 3, 1, 2, SceneEnding, 1, 1},      // the last stage leads to the ending
        {0, 1, 1, 0, SceneEnding, 1, 1},
        {2, 2, 3, 2, SceneSelect, 2, 2},      // continue stage unchanged
    };
    for (const Case& c : cases) {
        Reset();
        mode = c.mode;
        continueStage = c.continueStage;
        selectedStage = c.selectedStage;
        Play(400, Hold({KEY_RIGHT}, 1, 1), c.extraStages);
        EXPECT_EQ(NextId(), c.next) << c.mode << "/" << int(c.continueStage);
        EXPECT_EQ(after.mode, c.modeAfter);
        EXPECT_EQ(after.continueStage, c.continueAfter);
        EXPECT_EQ(dir.Read("data.sav").at(3), c.continueAfter);
    }
}

// The clear is written the moment the clear test passes (frame 17): leaving
// on any later frame of the pose or of the fade keeps the record and the
// stage to continue from, whichever key leaves.
class MapSceneLeaving : public MapSceneClear {
protected:
    // Clears stage 1 of 2 in play mode 1, pressing `key` on frame `leave`.
    void ClearAndLeave(int key, int leave) {
        Reset();
        records = {9, 0};
        mode = 1;
        Play(400, [key, leave](int pass) {
            if (pass == 1) return std::vector<int>{KEY_RIGHT};
            if (pass == leave) return std::vector<int>{key};
            return std::vector<int>{};
        }, 1);
    }
    const std::vector<unsigned char> cleared = {'V', 'T', 'R', 2, 2, 1, 0};

    // The frames to leave on: every frame of the pose (18-48) and of the fade
    // (49-175). Under the address sanitizer, whose frames cost many times
    // more, the first and last frames of each and every seventh between.
    static std::vector<int> LeaveFrames() {
#if defined(__SANITIZE_ADDRESS__)
        constexpr int kStride = 7;
#else
        constexpr int kStride = 1;
#endif
        std::vector<int> frames;
        for (int leave = 18; leave <= 175; ++leave) {
            const bool edge = leave == 18 || leave == 48 || leave == 49 || leave == 50 || leave >= 174;
            if (edge || (leave - 18) % kStride == 0) frames.push_back(leave);
        }
        return frames;
    }
};

TEST_F(MapSceneLeaving, XOnAnyFrameOfThePoseOrTheFadeKeepsTheClear) {
    for (int leave : LeaveFrames()) {
        ClearAndLeave(KEY_X, leave);
        SCOPED_TRACE("X on frame " + std::to_string(leave));
        ASSERT_EQ(dir.Read("data.sav"), cleared);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(leave));
        // On the fade's last frame the clear's own next scene wins.
        ASSERT_EQ(NextId(), leave < 175 ? SceneOpening : SceneStageTitle);
    }
}

TEST_F(MapSceneLeaving, EscapeOnAnyFrameOfThePoseOrTheFadeKeepsTheClear) {
    for (int leave : LeaveFrames()) {
        ClearAndLeave(KEY_ESCAPE, leave);
        SCOPED_TRACE("Escape on frame " + std::to_string(leave));
        ASSERT_EQ(dir.Read("data.sav"), cleared);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(leave - 1));  // the program ends at once
    }
}

// C during the fade keeps the clear on disk (the next stage to continue
// from) and still plays this stage again: the title card it asks for is
// pointed back at the cleared stage for this run.
TEST_F(MapSceneLeaving, CDuringTheFadeKeepsTheClearAndPlaysTheStageAgain) {
    ClearAndLeave(KEY_C, 100);
    EXPECT_EQ(dir.Read("data.sav"), cleared);
    EXPECT_EQ(NextId(), SceneStageTitle);
    EXPECT_EQ(after.mode, 1);
    EXPECT_EQ(after.continueStage, 1);
}

TEST_F(MapSceneClear, LeavingBeforeTheClearTestRecordsNothing) {
    records = {9};
    Play(400, [](int pass) {
        if (pass == 1) return std::vector<int>{KEY_RIGHT};
        if (pass == 17) return std::vector<int>{KEY_ESCAPE};
        return std::vector<int>{};
    });
    EXPECT_EQ(frames.size(), 16u);
    EXPECT_EQ(At(16).motion, MOTION_WALK_RIGHT);
    EXPECT_TRUE(dir.Read("data.sav").empty());
}

// ---------------------------------------------------------------------------

class MapSceneButtons : public MapSceneTest {};

TEST_F(MapSceneButtons, XLeavesByPlayMode) {
    for (int m : {0, 1, 2}) {
        Reset();
        mode = m;
        Play(10, Hold({KEY_X}, 3, 3));
        EXPECT_EQ(frames.size(), 3u);
        EXPECT_EQ(NextId(), m == 2 ? SceneSelect : SceneOpening) << m;
    }
}

TEST_F(MapSceneButtons, CRestartsThroughTheTitleCard) {
    Play(10, Hold({KEY_C}, 2, 2));
    EXPECT_EQ(NextId(), SceneStageTitle);
}

TEST_F(MapSceneButtons, XAndCTogetherRestart) {
    mode = 2;
    Play(10, Hold({KEY_X, KEY_C}, 2, 2));
    EXPECT_EQ(NextId(), SceneStageTitle);
}

TEST_F(MapSceneButtons, ButtonsLeaveButTheFrameIsStillStepped) {
    // The step that starts in the same frame still counts and moves.
    Play(10, Hold({KEY_RIGHT, KEY_X}, 1, 1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(sounds, std::vector<RuleSound>{RuleSound::Footstep});
    EXPECT_EQ(NextId(), SceneOpening);
}

}  // namespace

namespace {

// The selection screen's use: a scene without music, drawn once into a picture.
class MapScenePreview : public MapSceneTest {
protected:
    void SetUp() override {
        MapSceneTest::SetUp();
        WriteStage(1, stage);
        ASSERT_EQ(InitMedia(), 0);
        SetTransparentColor(0, 255, 0);
        SaveData::Instance(1)->mode = 2;
    }
    void TearDown() override {
        EndMedia();
        MapSceneTest::TearDown();
    }

    // Shows the picture on a black screen and returns what was presented.
    static std::vector<uint32_t> Show(int image) {
        ClearScreen();
        DrawImage(0, 0, image, 0);
        FlipScreen();
        return headless::LastPresentedFrame();
    }
};

TEST_F(MapScenePreview, FramedPictureOfTheStage) {
    SaveData::Instance()->selectedStage = 1;
    CMapSeen scene(false);
    EXPECT_EQ(scene.GetNextId(0), SceneMap);
    EXPECT_EQ(scene.music, -1);
    const int image = scene.RenderPreview();
    ASSERT_NE(image, -1);
    const std::vector<uint32_t> shot = Show(image);
    const uint32_t white = 0xFFFFFF;
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {639, 479}, {638, 478}, {320, 0}, {0, 240}, {1, 300}}) {
        EXPECT_EQ(play_pictures::At(shot, x, y), white) << x << "," << y;
    }
    EXPECT_EQ(play_pictures::At(shot, 2, 2), play_pictures::kBackground);
    EXPECT_EQ(play_pictures::At(shot, 637, 477), play_pictures::kBackground);
    EXPECT_EQ(play_pictures::At(shot, kStartX + 16, kStartY + 10), Figure(0, 0));
    EXPECT_EQ(play_pictures::At(shot, 3 * 32 + 8, 3 * 32 + 8), TileTop(CELL_FLOOR));
    EXPECT_EQ(DeleteImage(image, 0), 0);
}

TEST_F(MapScenePreview, MissingStageSaysNothing) {
    SaveData::Instance()->selectedStage = 5;
    CMapSeen scene(false);
    EXPECT_EQ(scene.GetNextId(0), SceneEnd);
    EXPECT_EQ(scene.player, nullptr);
    EXPECT_TRUE(std::all_of(scene.rules.board.Cells().begin(), scene.rules.board.Cells().end(),
                            [](uint8_t c) { return c == CELL_EMPTY; }));
    const int image = scene.RenderPreview();
    ASSERT_NE(image, -1);
    const std::vector<uint32_t> shot = Show(image);
    EXPECT_EQ(play_pictures::At(shot, 0, 0), 0u);  // no frame
    int lit = 0;
    for (int y = 225; y < 270; ++y) {
        for (int x = 275; x < 400; ++x) lit += play_pictures::At(shot, x, y) != 0;
    }
    EXPECT_GT(lit, 50);  // the word "Nothing"
    DeleteImage(image, 0);
}

}  // namespace

namespace {

using MapSceneLoad = MapScenePreview;

TEST_F(MapSceneLoad, TakesWhatTheFileSaysAndTheFixedTilePicture) {
    stage.widthPixels = 600;  // 18 columns
    stage.heightPixels = 420;
    stage.backgroundName = "other_bg.bfg";
    stage.tileName = "not_there.bfg";
    stage.properties = {{"a", "42"}, {"b", "3"}};
    stage.characters = {{3, 3}, {9, 10}};
    stage.board.Set(9, 10, CELL_MARK_1);
    WriteStage(1, stage);
    play_pictures::WriteBackground("other_bg.bfg");
    SaveData::Instance()->selectedStage = 1;
    CMapSeen scene(false);
    ASSERT_EQ(scene.GetNextId(0), SceneMap);
    EXPECT_EQ(scene.width, 600);
    EXPECT_EQ(scene.height, 420);
    EXPECT_EQ(scene.par, 42);
    EXPECT_EQ(scene.rules.markLimit, 3);
    EXPECT_EQ(scene.rules.steps, 0);
    ASSERT_NE(scene.player, nullptr);
    EXPECT_EQ(scene.player->position, CTPoint(9 * 32, 10 * 32, 0));
    EXPECT_EQ(scene.rules.board.At(9, 10), CELL_MARK_1);
    ResourceManager& cache = ResourceManager::Instance();
    EXPECT_EQ(scene.background, cache.GetImage(L"other_bg.bfg"));
    EXPECT_EQ(scene.tiles, cache.GetImage(L"tails.bfg"));
    EXPECT_NE(scene.tiles, -1);
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(MapSceneLoad, BackgroundNamedOutsideAscii) {
    stage.backgroundName = "背景_é.bfg";
    WriteStage(1, stage);
    play_pictures::WriteBackground("背景_é.bfg");
    SaveData::Instance()->selectedStage = 1;
    CMapSeen scene(false);
    EXPECT_NE(scene.background, -1);
    EXPECT_EQ(scene.background, ResourceManager::Instance().GetImage(L"背景_é.bfg"));
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(MapSceneLoad, RecordShownAsBestAndMissingRecordAs255) {
    WriteStage(1, stage);
    SaveData::Instance()->selectedStage = 1;
    {
        CMapSeen scene(false);
        EXPECT_EQ(scene.best, 255);
    }
    SaveData::Instance()->records[0] = 17;
    CMapSeen scene(false);
    EXPECT_EQ(scene.best, 17);
    EXPECT_EQ(scene.stage, 1);
}

// What the scene adds to its usual drawing so the player can see the
// rules: the erasures left and the marks that never change.
class MapSceneHints : public MapSceneTest {
protected:
    static constexpr int kErasuresX = 608;
    static constexpr int kErasuresY = 42;

    static constexpr uint32_t kLabelPlate =
        (ErasuresLabel::kPlateR << 16) | (ErasuresLabel::kPlateG << 8) | ErasuresLabel::kPlateB;

    // The erasures counter's place, its label included, shows nothing but the background.
    static bool CounterAreaEmpty(const std::vector<uint32_t>& px) {
        for (int y = ErasuresLabel::kTop; y < ErasuresLabel::kBottom; ++y)
            for (int x = ErasuresLabel::kLeft; x < ErasuresLabel::kRight; ++x)
                if (play_pictures::At(px, x, y) != play_pictures::kBackground) return false;
        return true;
    }
    // Pixels of the label's words: on the plate, left of the eraser's face,
    // neither the plate nor its border.
    static int LabelInk(const std::vector<uint32_t>& px) {
        int ink = 0;
        for (int y = ErasuresLabel::kTop + 3; y < ErasuresLabel::kBottom - 3; ++y)
            for (int x = ErasuresLabel::kLeft + 3; x < 576; ++x) ink += play_pictures::At(px, x, y) != kLabelPlate;
        return ink;
    }
    // Opacity 128 of `top` over `under`, as the renderer mixes them (to within rounding).
    static bool HalfOver(uint32_t pixel, uint32_t top, uint32_t under) {
        for (int shift : {0, 8, 16}) {
            const int t = (top >> shift) & 255, u = (under >> shift) & 255, p = (pixel >> shift) & 255;
            if (std::abs(p - (t * 128 + u * 127) / 255) > 2) return false;
        }
        return true;
    }
};

TEST_F(MapSceneHints, ErasuresLeftShowFromTheEraserUntilTheFifthErasure) {
    keepPixels = true;
    stage.board.Set(6, 6, CELL_ERASER);
    for (int c = 7; c <= 11; ++c) stage.board.Set(c, 6, CELL_MARK_1);
    Play(17 * 7, Hold({KEY_RIGHT}));
    ASSERT_EQ(frames.size(), 17u * 7);
    EXPECT_TRUE(CounterAreaEmpty(At(16).pixels));
    // Each erasure counts down as the step onto the mark starts.
    for (int left = 5; left >= 1; --left) {
        const auto shown = std::find_if(frames.begin(), frames.end(), [&](const FrameRecord& rec) {
            return rec.eraseMode && rec.erasuresLeft == left;
        });
        ASSERT_NE(shown, frames.end()) << left;
        SCOPED_TRACE("frame " + std::to_string(shown->frame));
        EXPECT_EQ(play_pictures::At(shown->pixels, kErasuresX, kErasuresY), NumberDigit(left));
        EXPECT_EQ(play_pictures::At(shown->pixels, kErasuresX + 8, kErasuresY), kLabelPlate);
        EXPECT_GT(LabelInk(shown->pixels), 60);  // "ERASURES LEFT"
        EXPECT_EQ(play_pictures::At(shown->pixels, 590, 50), TileTop(CELL_ERASER));  // the eraser, small
        // The usual counters stay where they are.
        EXPECT_EQ(play_pictures::At(shown->pixels, 608, 12), NumberDigit(shown->steps % 10));
    }
    EXPECT_TRUE(At(17).eraseMode);
    // The fifth erasure ends the mode and the counter with it.
    const auto ended = std::find_if(frames.begin() + 17, frames.end(),
                                    [](const FrameRecord& rec) { return !rec.eraseMode; });
    ASSERT_NE(ended, frames.end());
    EXPECT_EQ(ended->frame, 17 + 4 * 17 + 1);
    EXPECT_EQ(ended->erasuresLeft, 0);
    EXPECT_TRUE(CounterAreaEmpty(ended->pixels));
    EXPECT_FALSE(CounterAreaEmpty((ended - 1)->pixels));
    EXPECT_TRUE(CounterAreaEmpty(frames.back().pixels));
}

// A mark erased as the figure steps on it leaves an empty socket under the
// figure (seen through it while it is half transparent), and sky once the
// figure has walked on.
TEST_F(MapSceneHints, AnErasedCellShowsAnEmptySocketUnderTheFigure) {
    keepPixels = true;
    stage.board.Set(6, 6, CELL_ERASER);
    for (int c = 7; c <= 11; ++c) stage.board.Set(c, 6, CELL_MARK_1);
    const uint32_t hole = 0x14101C;
    const uint32_t standing = Figure(0, 2);  // facing right, at rest
    Play(40, Hold({KEY_RIGHT}, 1, 18));  // onto the eraser, then onto the first mark
    const FrameRecord& rec = At(40);
    ASSERT_TRUE(rec.eraseMode);
    ASSERT_EQ(rec.x, 7 * 32);
    ASSERT_FALSE(rec.animating);
    EXPECT_TRUE(HalfOver(play_pictures::At(rec.pixels, 7 * 32 + 16, 6 * 32 + 16), standing, hole));
    EXPECT_FALSE(HalfOver(play_pictures::At(rec.pixels, 7 * 32 + 16, 6 * 32 + 16), standing, play_pictures::kBackground));
    // Half-way through the next step the socket shows behind both cells' part of the figure.
    Reset();
    Play(35 + 8, Hold({KEY_RIGHT}, 1, 35));
    const FrameRecord& walking = At(35 + 8);
    ASSERT_GT(walking.x, 7 * 32 + 8);  // half in each cell
    ASSERT_LT(walking.x, 8 * 32 - 8);
    for (const int x : {7 * 32 + 24, 8 * 32 + 8}) {  // the cell left and the cell entered
        const uint32_t pixel = play_pictures::At(walking.pixels, x, 6 * 32 + 16);
        bool overHole = false;
        for (int column = 0; column < 5; ++column) overHole = overHole || HalfOver(pixel, Figure(column, 2), hole);
        EXPECT_TRUE(overHole) << x;
    }
    // The figure gone on, the first erased cell is empty again: here the
    // front face of the floor above it shows, as over any empty cell.
    Reset();
    Play(17 * 7, Hold({KEY_RIGHT}));
    EXPECT_EQ(play_pictures::At(frames.back().pixels, 7 * 32 + 16, 6 * 32 + 16), TileBottom(CELL_FLOOR));
}

TEST_F(MapSceneHints, MarksAboveTheLimitCarryAPauseSign) {
    keepPixels = true;
    stage.board.Set(8, 8, CELL_MARK_3);  // limit 2: never changes
    stage.board.Set(9, 8, CELL_MARK_2);
    Play(1, nullptr);
    const auto& px = At(1).pixels;
    const uint32_t ink = 0x1C1830;
    const uint32_t cream = 0xFFF6E0;
    // An ink square at (19, 1) of the cell, 12 pixels wide, two cream bars in it.
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 20, 8 * 32 + 2), ink);
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 22, 8 * 32 + 6), cream);
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 24, 8 * 32 + 6), ink);
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 26, 8 * 32 + 6), cream);
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 30, 8 * 32 + 12), ink);
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 31, 8 * 32 + 12), TileTop(CELL_MARK_3));
    // The rest of the tile, and marks within the limit, are drawn as always.
    EXPECT_EQ(play_pictures::At(px, 8 * 32 + 5, 8 * 32 + 20), TileTop(CELL_MARK_3));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(play_pictures::At(px, 9 * 32 + x, 8 * 32 + y), TileTop(CELL_MARK_2));
}

}  // namespace
