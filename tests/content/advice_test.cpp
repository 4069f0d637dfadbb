// SPDX-License-Identifier: GPL-3.0-or-later
// The hint and the dead-end warning on every shipped stage, through the real
// frame loop: following the hint clears in par from the start and in the
// remaining optimum from elsewhere; walking into a stage's shallowest trap
// raises the warning on that very step with the right way back.
#include <algorithm>
#include <map>
#include <numeric>
#include <fstream>
#include <iterator>
#include <random>

#include "content/shipped_stage_run.h"
#include "state_graph.h"
#include "support/move_keys.h"

namespace {

int KeyOfDirection(StepDirection direction) {
    switch (direction) {
        case StepDirection::Left: return KEY_LEFT;
        case StepDirection::Up: return KEY_UP;
        case StepDirection::Right: return KEY_RIGHT;
        case StepDirection::Down: return KEY_DOWN;
    }
    return KEY_DOWN;
}

StageData ShippedStage(int stage) {
    const std::vector<std::uint8_t> bytes = [&] {
        std::ifstream in(ShippedStageRun::GameFolder() / StageFilePath(stage), std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    return ParseStageFile(bytes).stage;
}

// What one stage showed while the script followed the hint.
struct HintedClear {
    int steps = -1;
    int expected = -1;  // steps taken before the hints plus the optimum left then
    int lostPositions = 0;
    int hintsShown = 0;
};

// Presses H until the hint shows, then its direction; `randomSteps` first
// walks that many random steps that keep a clear possible.
class HintFollower {
public:
    HintFollower(int randomSteps, std::uint32_t seed) : randomSteps_(randomSteps), random_(seed) {}

    void operator()(CMapSeen& map, int stageIndex, headless::FrameInput& input, int frame) {
        HintedClear& clear = clears[stageIndex];
        if (map.rules.playState == kPlayStateClearing) {
            clear.steps = map.rules.steps;
            return;
        }
        if (!Judged(map)) return;
        const PositionVerdict verdict = *map.advice.Verdict();
        if (verdict.Lost()) ++clear.lostPositions;
        if (map.rules.steps < randomSteps_) {
            input.keysHeld.push_back(KeyOfDirection(RandomLiveStep(map)));
            return;
        }
        if (clear.expected < 0) clear.expected = map.rules.steps + verdict.toClear;
        if (map.advice.HintVisible()) {
            ++clear.hintsShown;
            input.keysHeld.push_back(KeyOfDirection(*verdict.next));
        } else if (frame % 2 == 0) {
            input.keysHeld.push_back(KEY_H);
        }
    }

    std::map<int, HintedClear> clears;

private:
    StepDirection RandomLiveStep(CMapSeen& map) {
        const StageAdvisor& advisor = *map.advice.Analysis()->Ready();
        std::vector<StepDirection> live;
        for (StepDirection direction : {StepDirection::Left, StepDirection::Up, StepDirection::Right, StepDirection::Down}) {
            RuleState rules = map.rules;
            RulePlayer player;
            player.cell = {map.player->CellX(), map.player->CellY()};
            const MoveOutcome outcome = PlayMove(rules, player, direction);
            if (!outcome.blocked && !outcome.cleared && advisor.Judge(rules, player.cell).Live()) live.push_back(direction);
        }
        return live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(random_)];
    }

    int randomSteps_;
    std::mt19937 random_;
};

}  // namespace

class AdviceTest : public ShippedStageRun {
protected:
    std::vector<int> AllStages() const {
        std::vector<int> stages(static_cast<std::size_t>(stageCount));
        std::iota(stages.begin(), stages.end(), 1);
        return stages;
    }
};

TEST_F(AdviceTest, FollowingTheHintFromTheStartClearsEveryStageInItsPar) {
    HintFollower follow(0, 1);
    PlayStages(AllStages(), [&](CMapSeen& map, int index, headless::FrameInput& input) { follow(map, index, input, frames); });
    ASSERT_LT(frames, kFrameLimit);
    for (int stage = 1; stage <= stageCount; ++stage) {
        const HintedClear& clear = follow.clears[stage - 1];
        EXPECT_EQ(clear.steps, ShippedStage(stage).par) << "stage " << stage;
        EXPECT_EQ(clear.expected, clear.steps) << "stage " << stage;
        EXPECT_EQ(clear.hintsShown > 0, true) << "stage " << stage;
        EXPECT_EQ(clear.lostPositions, 0) << "stage " << stage << ": a position of the optimal plan was called lost";
    }
}

TEST_F(AdviceTest, FollowingTheHintFromARandomPositionClearsInTheRemainingOptimum) {
    HintFollower follow(4, 2026);
    PlayStages(AllStages(), [&](CMapSeen& map, int index, headless::FrameInput& input) { follow(map, index, input, frames); });
    ASSERT_LT(frames, kFrameLimit);
    for (int stage = 1; stage <= stageCount; ++stage) {
        const HintedClear& clear = follow.clears[stage - 1];
        EXPECT_GT(clear.steps, 0) << "stage " << stage;
        EXPECT_EQ(clear.steps, clear.expected) << "stage " << stage;
        EXPECT_GE(clear.steps, ShippedStage(stage).par) << "stage " << stage;
    }
}

// The shallowest trap of a stage: the moves to a lost position nearest the
// start (every position before it on the way is live), then up to two more
// moves that stay on the board.
struct TrapWalk {
    int stage = 0;
    std::vector<StepDirection> moves;
    int firstLost = 0;  // moves up to and including the one that loses
};

std::vector<TrapWalk> ShallowestTraps(int stageCount) {
    std::vector<TrapWalk> traps;
    for (int stage = 1; stage <= stageCount; ++stage) {
        const StageData data = ShippedStage(stage);
        const StateGraph graph(data, std::size_t{512} << 20);
        std::optional<std::uint32_t> trap;
        for (std::uint32_t s = 0; s < graph.Size(); ++s) {
            if (graph.Dead(s) && (!trap || graph.Depth(s) < graph.Depth(*trap))) trap = s;
        }
        if (!trap) continue;
        TrapWalk walk{stage, graph.PathTo(*trap), 0};
        walk.firstLost = static_cast<int>(walk.moves.size());
        std::uint32_t at = *trap;
        for (int extra = 0; extra < 2; ++extra) {
            for (StepDirection d : {StepDirection::Left, StepDirection::Up, StepDirection::Right, StepDirection::Down}) {
                const std::uint32_t to = graph.Next(at, d);
                if (to < StateGraph::kClears) {
                    walk.moves.push_back(d);
                    at = to;
                    break;
                }
            }
        }
        traps.push_back(walk);
    }
    return traps;
}

TEST_F(AdviceTest, WalkingIntoTheShallowestTrapWarnsOnThatStepWithTheWayBack) {
    const std::vector<TrapWalk> traps = ShallowestTraps(stageCount);
    ASSERT_GE(traps.size(), 8u) << "the stage set has eight stages with dead states";
    std::vector<int> stages;
    for (const TrapWalk& trap : traps) stages.push_back(trap.stage);
    // Per stage: the undo count shown after each step (-2: no warning).
    std::map<int, std::vector<int>> shown;
    PlayStages(stages, [&](CMapSeen& map, int index, headless::FrameInput& input) {
        if (!Judged(map)) return;
        const TrapWalk& trap = traps[static_cast<std::size_t>(index)];
        std::vector<int>& seen = shown[index];
        if (seen.size() == map.rules.steps) seen.push_back(map.advice.Verdict()->Lost() ? map.advice.UndoSteps() : -2);
        if (map.rules.steps < trap.moves.size()) {
            input.keysHeld.push_back(KeyOfDirection(trap.moves[map.rules.steps]));
        } else {
            input.keysHeld.push_back(KEY_X);  // on to the next stage
        }
    });
    for (std::size_t i = 0; i < traps.size(); ++i) {
        const TrapWalk& trap = traps[i];
        const std::vector<int>& seen = shown[static_cast<int>(i)];
        ASSERT_EQ(seen.size(), trap.moves.size() + 1) << "stage " << trap.stage;
        for (std::size_t step = 0; step < seen.size(); ++step) {
            const int expected = static_cast<int>(step) < trap.firstLost ? -2 : static_cast<int>(step) - trap.firstLost + 1;
            EXPECT_EQ(seen[step], expected) << "stage " << trap.stage << " after step " << step;
        }
    }
}
