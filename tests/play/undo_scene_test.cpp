// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo in the map scene, played through the game's frame loop and
// compared with the same stage freshly loaded and played by the rules alone.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "map_scene_fixture.h"
#include "play/step_history.h"
#include "support/move_keys.h"

namespace {

using Keys = std::vector<int>;

const Keys kUndoKeys = {KEY_A};
const Keys kRedoKeys = {KEY_S};


StepDirection DirectionOf(char move) {
    switch (move) {
        case 'L': return StepDirection::Left;
        case 'U': return StepDirection::Up;
        case 'R': return StepDirection::Right;
        default: return StepDirection::Down;
    }
}

// The play as the scene holds it.
PlayPoint PointOf(const CMapSeen& scene) {
    PlayPoint point;
    point.rules = scene.rules;
    const PlayerChara& figure = *scene.player;
    point.figure.cell = BoardCell{figure.position.x / 32, figure.position.y / 32};
    point.figure.motion = figure.motion;
    point.figure.started = figure.started;
    point.figure.stepKind = figure.stepKind;
    return point;
}

// The figure stands exactly on its cell in the first frame of its motion.
bool AtRest(const CMapSeen& scene) {
    const PlayerChara& figure = *scene.player;
    return !figure.animating && figure.frame == 0 && figure.wait == 0 && figure.position.z == 0 &&
           figure.position.x % 32 == 0 && figure.position.y % 32 == 0;
}

// A point reached on a freshly loaded stage by the rules alone.
struct FreshPoint {
    RuleState rules;
    RulePlayer player;
};

// One action of a script: keys held for some passes, then released.
struct Action {
    Keys keys;
    int passes = 1;
};

class UndoDriverTest : public MapSceneTest {
protected:
    // Plays the actions one after another, each as soon as the figure stands
    // still in play: its keys are held for its passes, then released for one.
    // `shown` gets the scene's point before every action and once more when
    // the figure stands still after the last; `startPass` the pass each
    // action's keys went down.
    void PlayActions(const std::vector<Action>& actions, int maxFrames = 3000) {
        std::size_t next = 0;
        int holdLeft = 0;
        bool releasing = false;
        Keys holding;
        Play(maxFrames, [&](int pass) -> Keys {
            if (holdLeft > 0) {
                --holdLeft;
                return holding;
            }
            if (releasing) {
                releasing = false;
                return {};
            }
            if (!map || finished) return {};
            if (map->rules.playState != kPlayStatePlaying || map->player->animating) return {};
            shown.push_back(PointOf(*map));
            atRest.push_back(AtRest(*map));
            if (next == actions.size()) {
                finished = true;
                stopPlaying = true;
                return {};
            }
            startPass.push_back(pass);
            holding = actions[next].keys;
            holdLeft = actions[next].passes - 1;
            releasing = true;
            ++next;
            return holding;
        });
    }

    static std::vector<Action> Moves(const std::string& moves) {
        std::vector<Action> actions;
        for (char move : moves) actions.push_back({{KeyOf(move)}});
        return actions;
    }

    // The points of a freshly loaded copy of the test stage before and after
    // each move.
    std::vector<FreshPoint> FreshPoints(const std::string& moves) const {
        const std::vector<uint8_t> bytes = EncodeStageFile(stage);
        const StageFileResult parsed = ParseStageFile(bytes);
        EXPECT_TRUE(parsed);
        FreshPoint point{StartingRuleState(parsed.stage), StartingPlayer(parsed.stage)};
        std::vector<FreshPoint> points{point};
        for (char move : moves) {
            PlayMove(point.rules, point.player, DirectionOf(move));
            points.push_back(point);
        }
        return points;
    }

    static void ExpectSameAsFresh(const PlayPoint& shownPoint, const FreshPoint& fresh) {
        EXPECT_TRUE(shownPoint.rules == fresh.rules);
        EXPECT_EQ(shownPoint.rules.steps, fresh.rules.steps);
        EXPECT_EQ(shownPoint.figure.cell.column, fresh.player.cell.column);
        EXPECT_EQ(shownPoint.figure.cell.row, fresh.player.cell.row);
        EXPECT_EQ(shownPoint.figure.motion, fresh.player.motion);
        for (std::size_t i = 0; i < fresh.player.started.size(); ++i) {
            EXPECT_EQ(shownPoint.figure.started[i] != 0, fresh.player.started[i]) << "motion " << i;
        }
    }

    int UndoSounds() const {
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), RuleSound::Undo));
    }

    std::vector<PlayPoint> shown;
    std::vector<bool> atRest;
    std::vector<int> startPass;
    bool finished = false;
};

// A stage with every kind of tile a step can set off.
class UndoSceneTest : public UndoDriverTest {
protected:
    void SetUp() override {
        UndoDriverTest::SetUp();
        // Row 6: a warp, the start (5, 6), an arrow and the marks it fires at.
        stage.board.Set(4, 6, CELL_WARP_A);
        stage.board.Set(6, 6, CELL_ARROW_RIGHT);
        stage.board.Set(7, 6, CELL_MARK_1);
        stage.board.Set(8, 6, CELL_MARK_2);
        stage.board.Set(9, 6, CELL_MARK_1);
        // A burst below the start, marks around it.
        stage.board.Set(5, 7, CELL_BURST);
        stage.board.Set(6, 7, CELL_MARK_1);
        stage.board.Set(4, 8, CELL_MARK_1);
        stage.board.Set(5, 8, CELL_MARK_2);
        // Row 9: the warp's partner, the eraser, two marks to erase, a goal.
        stage.board.Set(12, 9, CELL_WARP_A);
        stage.board.Set(13, 9, CELL_ERASER);
        stage.board.Set(14, 9, CELL_MARK_1);
        stage.board.Set(15, 9, CELL_MARK_2);
        stage.board.Set(16, 9, CELL_GOAL_2);
    }

    // Arrow, back, burst, back, warp to (12, 9), eraser, two erasures, the
    // goal (no clear: erasing), (17, 9), a step into the border (blocked), up.
    const std::string kPath = "RLDULRRRRRRU";
    static constexpr int kBlockedMove = 10;
};

TEST_F(UndoSceneTest, TheTestPathSetsOffEveryTile) {
    const std::vector<FreshPoint> fresh = FreshPoints(kPath);
    EXPECT_FALSE(fresh[1].rules.board == fresh[0].rules.board);  // arrow
    EXPECT_FALSE(fresh[3].rules.board == fresh[2].rules.board);  // burst
    EXPECT_EQ(fresh[5].player.cell, (BoardCell{12, 9}));         // warp
    EXPECT_TRUE(fresh[6].rules.eraseMode);                       // eraser
    EXPECT_EQ(fresh[8].rules.erasuresLeft, 3);
    EXPECT_EQ(fresh[8].rules.board.At(15, 9), CELL_EMPTY);
    EXPECT_TRUE(fresh[kBlockedMove + 1].rules == fresh[kBlockedMove].rules);
    EXPECT_EQ(fresh.back().rules.steps, 11);
}

TEST_F(UndoSceneTest, UndoEveryStepToTheStartThenRedoEveryStep) {
    const std::vector<FreshPoint> fresh = FreshPoints(kPath);
    // The moves that count, by index into the path.
    std::vector<int> counted;
    for (int i = 0; i < static_cast<int>(kPath.size()); ++i)
        if (i != kBlockedMove) counted.push_back(i);
    const int steps = static_cast<int>(counted.size());

    std::vector<Action> actions{{kUndoKeys}};  // at the start: nothing to undo
    for (const Action& move : Moves(kPath)) actions.push_back(move);
    for (int i = 0; i <= steps; ++i) actions.push_back({kUndoKeys});  // one more than the steps
    for (int i = 0; i <= steps; ++i) actions.push_back({kRedoKeys});
    PlayActions(actions);
    ASSERT_TRUE(finished);
    ASSERT_EQ(shown.size(), actions.size() + 1);
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_TRUE(atRest[i]) << i;

    EXPECT_EQ(shown[1], shown[0]);
    ExpectSameAsFresh(shown[0], fresh[0]);
    // shown[1 + i] stands before move i; shown[1 + path] after the last.
    auto beforeMove = [&](int i) -> const PlayPoint& { return shown[static_cast<std::size_t>(1 + i)]; };
    const int moves = static_cast<int>(kPath.size());
    for (int i = 0; i <= moves; ++i) {
        SCOPED_TRACE("played " + std::to_string(i));
        ExpectSameAsFresh(beforeMove(i), fresh[static_cast<std::size_t>(i)]);
    }
    const PlayPoint& end = beforeMove(moves);

    const std::size_t afterUndos = static_cast<std::size_t>(1 + moves);
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE("undo " + std::to_string(k));
        const int back = counted[static_cast<std::size_t>(steps - k)];
        const PlayPoint& undone = shown[afterUndos + static_cast<std::size_t>(k)];
        EXPECT_EQ(undone, beforeMove(back));  // the figure's stance and step kind too
        ExpectSameAsFresh(undone, fresh[static_cast<std::size_t>(back)]);
    }
    const std::size_t afterRedos = afterUndos + static_cast<std::size_t>(steps + 1);
    EXPECT_EQ(shown[afterRedos], shown[afterRedos - 1]);  // undo at the start again
    ExpectSameAsFresh(shown[afterRedos], fresh[0]);

    for (int j = 1; j < steps; ++j) {
        SCOPED_TRACE("redo " + std::to_string(j));
        EXPECT_EQ(shown[afterRedos + static_cast<std::size_t>(j)],
                  beforeMove(counted[static_cast<std::size_t>(j)]));
    }
    EXPECT_EQ(shown[afterRedos + static_cast<std::size_t>(steps)], end);
    EXPECT_EQ(shown.back(), end);  // nothing left to redo
    EXPECT_EQ(UndoSounds(), 2 * steps);
    EXPECT_EQ(NextId(), SceneEnd);
}

TEST_F(UndoSceneTest, ANewStepAfterUndosLeavesNothingToRedo) {
    const std::vector<FreshPoint> first = FreshPoints("RLD");
    const std::vector<FreshPoint> second = FreshPoints("RU");
    PlayActions({{{KEY_RIGHT}}, {{KEY_LEFT}}, {{KEY_DOWN}}, {kUndoKeys}, {kUndoKeys}, {{KEY_UP}},
                 {kRedoKeys}, {kUndoKeys}, {kUndoKeys}, {kRedoKeys}, {kRedoKeys}, {kRedoKeys}});
    ASSERT_TRUE(finished);
    ASSERT_EQ(shown.size(), 13u);
    ExpectSameAsFresh(shown[5], first[1]);   // two undos
    ExpectSameAsFresh(shown[6], second[2]);  // the new step up
    EXPECT_EQ(shown[7], shown[6]);           // redo: nothing
    EXPECT_EQ(shown[8], shown[5]);           // undo the new step
    ExpectSameAsFresh(shown[9], first[0]);
    EXPECT_EQ(shown[10], shown[8]);
    EXPECT_EQ(shown[11], shown[6]);  // redo replays the new step, not the old ones
    EXPECT_EQ(shown[12], shown[11]);
    EXPECT_EQ(UndoSounds(), 6);
}

TEST_F(UndoSceneTest, UndoDuringAWalkOrAWarpDoesNothing) {
    const std::vector<FreshPoint> fresh = FreshPoints("L");
    const std::vector<int> busyPresses = {1, 5, 17, 20, 30, 40, 46};
    constexpr int kIdlePress = 60;
    std::vector<PlayPoint> perFrame;
    observe = [&](CMapSeen& scene) { perFrame.push_back(PointOf(scene)); };
    Play(kIdlePress + 5, [&](int pass) -> Keys {
        Keys keys;
        if (pass == 1) keys.push_back(KEY_LEFT);  // onto the warp, undo in the same pass
        if (pass == kIdlePress || std::count(busyPresses.begin(), busyPresses.end(), pass)) {
            keys.push_back(KEY_A);
        }
        return keys;
    });
    ASSERT_GE(perFrame.size(), static_cast<std::size_t>(kIdlePress));
    for (int press : busyPresses) {
        if (press > 1) {
            EXPECT_TRUE(At(press - 1).animating) << press;  // the figure was busy
        }
    }
    EXPECT_FALSE(At(kIdlePress - 1).animating);
    // Never a half state: the rules stand still from the step's start to the undo.
    for (int f = 1; f < kIdlePress; ++f) {
        EXPECT_TRUE(perFrame[static_cast<std::size_t>(f - 1)].rules == fresh[1].rules) << f;
    }
    const PlayPoint& arrived = perFrame[static_cast<std::size_t>(kIdlePress - 2)];
    ExpectSameAsFresh(arrived, fresh[1]);
    EXPECT_EQ(arrived.figure.motion, MOTION_WARP_ARRIVE);
    ExpectSameAsFresh(perFrame[static_cast<std::size_t>(kIdlePress - 1)], fresh[0]);
    EXPECT_EQ(At(kIdlePress).x, 5 * 32);
    EXPECT_EQ(At(kIdlePress).y, 6 * 32);
    EXPECT_EQ(UndoSounds(), 1);
}

// A board of floors and one goal: every goal clears it.
class UndoClearTest : public UndoDriverTest {
protected:
    void SetUp() override {
        UndoDriverTest::SetUp();
        stage.board.Set(7, 6, CELL_GOAL_2);
    }
};

TEST_F(UndoClearTest, AClearAfterUndosRecordsTheCountShown) {
    int countAtClear = -1;
    observe = [&](CMapSeen& scene) {
        if (scene.rules.playState == kPlayStateClearing && countAtClear < 0) countAtClear = scene.rules.steps;
    };
    // Up, right, right (3), two undos (1), then right, down, right onto the goal.
    PlayActions({{{KEY_UP}}, {{KEY_RIGHT}}, {{KEY_RIGHT}}, {kUndoKeys}, {kUndoKeys}, {{KEY_RIGHT}},
                 {{KEY_DOWN}}, {{KEY_RIGHT}}});
    EXPECT_FALSE(finished);  // the scene ended with the clear
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[5].rules.steps, 1);
    EXPECT_EQ(countAtClear, 4);
    ASSERT_FALSE(after.records.empty());
    EXPECT_EQ(after.records[0], 4);
    EXPECT_EQ(NextId(), SceneEnding);
}

TEST_F(UndoClearTest, UndoDuringTheClearPoseAndTheFadeDoesNothing) {
    const std::vector<int> presses = {35, 40, 50, 64, 66, 70, 120, 180};
    Play(400, [&](int pass) -> Keys {
        if (pass == 1 || pass == 18) return {KEY_RIGHT};
        if (std::count(presses.begin(), presses.end(), pass)) return {KEY_A};
        return {};
    });
    ASSERT_GE(frames.size(), 190u);
    for (int press : presses) {
        const FrameRecord& before = At(press - 1);
        EXPECT_TRUE(before.animating || before.playState == kPlayStateClearing) << press;
    }
    EXPECT_EQ(At(34).steps, 2);
    for (const FrameRecord& rec : frames) {
        if (rec.playing && rec.frame >= 34) {
            EXPECT_EQ(rec.steps, 2) << rec.frame;
        }
    }
    EXPECT_EQ(UndoSounds(), 0);
    ASSERT_FALSE(after.records.empty());
    EXPECT_EQ(after.records[0], 2);
}

// Held buttons on a board of floors.
class UndoHoldTest : public UndoDriverTest {};

TEST_F(UndoHoldTest, HeldUndoAndRedoRepeatEveryTenFrames) {
    PlayActions({{{KEY_UP}}, {{KEY_UP}}, {{KEY_UP}}, {{KEY_UP}}, {{KEY_A}, 35},
                 {{KEY_LSHIFT, KEY_U}, 25}, {{KEY_BACKSPACE}}, {{KEY_RSHIFT, KEY_BACKSPACE}}});
    ASSERT_TRUE(finished);
    ASSERT_EQ(startPass.size(), 8u);
    const int undoFrom = startPass[4];
    EXPECT_EQ(At(undoFrom - 1).steps, 4);
    // The frame loop reports the button once; the scene repeats it.
    const int expectedUndo[] = {3, 3, 3, 2, 2, 1, 1, 0, 0};
    const int undoAt[] = {0, 1, 9, 10, 19, 20, 29, 30, 34};
    for (std::size_t i = 0; i < std::size(undoAt); ++i) {
        EXPECT_EQ(At(undoFrom + undoAt[i]).steps, expectedUndo[i]) << undoAt[i];
    }
    const int redoFrom = startPass[5];
    const int expectedRedo[] = {1, 1, 2, 2, 3, 3};
    const int redoAt[] = {0, 9, 10, 19, 20, 24};
    for (std::size_t i = 0; i < std::size(redoAt); ++i) {
        EXPECT_EQ(At(redoFrom + redoAt[i]).steps, expectedRedo[i]) << redoAt[i];
    }
    EXPECT_EQ(shown[6].rules.steps, 3);
    EXPECT_EQ(shown[7].rules.steps, 2);  // Backspace undoes
    EXPECT_EQ(shown[8].rules.steps, 3);  // Shift+Backspace redoes
    EXPECT_EQ(shown[8].figure.cell, (BoardCell{5, 3}));
    EXPECT_EQ(UndoSounds(), 4 + 3 + 2);
}

}  // namespace
