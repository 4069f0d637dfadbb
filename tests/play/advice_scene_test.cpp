// SPDX-License-Identifier: GPL-3.0-or-later
// The hint, the dead-end warning, the kept solutions and their replay in the
// game's own frame loop on the headless platform, on small made-up stages.
#include <fstream>
#include <sstream>

#include "play/kept_solutions.h"
#include "play/map_scene_fixture.h"
#include "scenes/replay_seen.h"
#include "support/move_keys.h"

namespace {

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

class AdviceSceneTest : public MapSceneTest {
protected:
    void SetUp() override {
        MapSceneTest::SetUp();
        mode = 2;
        // A row: start, a mark of 1, floor (floor above it), a goal for 2:
        // R R R clears, and the floor above is a detour.
        stage.board = Board{};
        stage.board.Set(5, 6, CELL_FLOOR);
        stage.board.Set(6, 6, CELL_MARK_1);
        stage.board.Set(7, 6, CELL_FLOOR);
        stage.board.Set(7, 5, CELL_FLOOR);
        stage.board.Set(8, 6, CELL_GOAL_2);
        stage.characters = {{5, 6}};
        stage.properties = {{"par", "3"}, {"limit", "2"}};
    }

    // A key script: the next move whenever the figure stands still, and the
    // analysis waited for first so every position is judged on time.
    std::function<std::vector<int>(int)> Walk(std::string moves) {
        return [this, moves](int) -> std::vector<int> {
            if (!map || map->player->animating || map->rules.playState != kPlayStatePlaying) return {};
            map->advice.WaitForAnalysis();
            const std::size_t next = map->rules.steps;
            if (next < moves.size()) return {KeyOf(moves[next])};
            return {};
        };
    }

    bool Judged() const {
        if (map->rules.playState != kPlayStatePlaying) return false;
        map->advice.WaitForAnalysis();
        return map->advice.Verdict().has_value();
    }

    std::string Solutions() const { return ReadText(dir.Path() / "solutions.txt"); }
    std::string Line(const std::string& moves, const char* flag) const {
        const std::vector<std::uint8_t> bytes = ReadStageFileBytes(1);
        char hash[17] = {};
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(StageFileHash(bytes)));
        return "1 " + std::string(hash) + " " + moves + " " + flag + "\n";
    }
};

TEST_F(AdviceSceneTest, AClearKeepsItsMovesInTheSolutionsFileOnlyWhenTheyAreTheBest) {
    Play(400, Walk("RRUDR"));
    ASSERT_EQ(NextId(), SceneSelect);
    const std::string first = Solutions();
    EXPECT_NE(first.find(Line("RRUDR", "unaided")), std::string::npos) << first;

    Reset();
    Play(400, Walk("RRUDUDR"));
    ASSERT_EQ(NextId(), SceneSelect);
    EXPECT_EQ(Solutions(), first) << "a worse clear changes nothing";

    Reset();
    Play(400, Walk("RRR"));
    EXPECT_NE(Solutions().find(Line("RRR", "unaided")), std::string::npos);
    EXPECT_EQ(Solutions().find("RRUDR"), std::string::npos);
}

TEST_F(AdviceSceneTest, TheHintPointsAlongTheOptimalPlanAndItsClearIsAided) {
    std::vector<std::pair<int, StepDirection>> hints;  // steps taken, hinted direction
    Play(600, [this, &hints](int pass) -> std::vector<int> {
        if (!map || map->player->animating || map->rules.playState != kPlayStatePlaying) return {};
        map->advice.WaitForAnalysis();
        if (map->advice.HintVisible()) {
            const PositionVerdict& verdict = *map->advice.Verdict();
            hints.emplace_back(map->rules.steps, *verdict.next);
            EXPECT_EQ(verdict.toClear, 3 - map->rules.steps);
            return {KeyOf("LURD"[static_cast<int>(*verdict.next)])};
        }
        return pass % 2 == 0 ? std::vector<int>{KEY_H} : std::vector<int>{};
    });
    ASSERT_EQ(NextId(), SceneSelect);
    ASSERT_EQ(hints.size(), 3u);
    for (const auto& [steps, direction] : hints) EXPECT_EQ(direction, StepDirection::Right) << "after " << steps;
    EXPECT_NE(Solutions().find(Line("RRR", "aided")), std::string::npos) << Solutions();
}

TEST_F(AdviceSceneTest, ALostPositionOffersNoHintAndUndoingTheWarnedStepsEndsTheWarning) {
    // An eraser beside the start: stepping onto it loses the stage (the only
    // mark would be erased with erasures to spare), the way round is above.
    stage.board = Board{};
    stage.board.Set(5, 6, CELL_FLOOR);
    stage.board.Set(6, 6, CELL_ERASER);
    stage.board.Set(7, 6, CELL_MARK_1);
    stage.board.Set(8, 6, CELL_FLOOR);
    stage.board.Set(9, 6, CELL_GOAL_1);
    for (int column = 5; column <= 8; ++column) stage.board.Set(column, 5, CELL_FLOOR);
    struct Seen {
        int steps;
        bool lost;
        int undo;
        bool hint;
    };
    std::vector<Seen> seen;
    // Walk R L U (lost after the first), ask for a hint, undo three times.
    const std::vector<std::vector<int>> script = {{KEY_RIGHT}, {KEY_LEFT}, {KEY_UP}, {KEY_H}, {KEY_A}, {KEY_A}, {KEY_A}};
    std::size_t at = 0;
    bool released = true;
    Play(600, [&](int) -> std::vector<int> {
        if (!map || map->player->animating || !Judged()) return {};
        if (!released) {  // every action is a new press
            released = true;
            return {};
        }
        seen.push_back({map->rules.steps, map->advice.Verdict()->Lost(), map->advice.UndoSteps(), map->advice.HintVisible()});
        if (at == script.size()) {
            stopPlaying = true;
            return {};
        }
        released = false;
        return script[at++];
    });
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_FALSE(seen[0].lost);
    EXPECT_TRUE(seen[1].lost);
    EXPECT_EQ(seen[1].undo, 1);
    EXPECT_EQ(seen[2].undo, 2);
    EXPECT_EQ(seen[3].undo, 3);
    EXPECT_TRUE(seen[4].lost);
    EXPECT_FALSE(seen[4].hint) << "no hint once the stage is lost";
    EXPECT_EQ(seen[5].undo, 2);
    EXPECT_EQ(seen[6].undo, 1);
    EXPECT_FALSE(seen[7].lost);
    EXPECT_EQ(seen[7].steps, 0);
}

TEST_F(AdviceSceneTest, TheReplayPlaysTheKeptLineToItsClearAndMarksTheStepThatLostGround) {
    WriteStage(1, stage);
    const std::string kept = Line("RRUDR", "unaided");
    dir.Write("solutions.txt", std::vector<unsigned char>(kept.begin(), kept.end()));
    ReplaySeen* replay = nullptr;
    std::vector<SceneId> asked;
    int clearedAfter = 0, costly = -1, playedWhilePaused = -1, pausedFrames = 0;
    headless::SetInputScript([&](int frame, headless::FrameInput& input) {
        if (frame > 2000 || asked.size() > 2) input.closeWindow = true;
        if (!replay || !replay->Map()) return;
        replay->Map()->advice.WaitForAnalysis();
        // Pause after the first step for 60 frames, then one step on its own.
        if (replay->MovesPlayed() == 1 && !replay->Paused() && playedWhilePaused < 0) input.keysHeld = {KEY_Z};
        if (replay->Paused()) {
            if (++pausedFrames == 60) playedWhilePaused = replay->MovesPlayed();
            if (pausedFrames == 61) input.keysHeld = {KEY_C};
            if (pausedFrames == 100) input.keysHeld = {KEY_Z, KEY_W};
        }
        if (replay->Map()->rules.playState == kPlayStateClearing && clearedAfter == 0) clearedAfter = replay->MovesPlayed();
        costly = replay->CostlyStep();
    });
    RunGame([&](SceneId id) -> std::unique_ptr<CSeen> {
        asked.push_back(id);
        replay = nullptr;
        if (asked.size() == 1) {
            return std::make_unique<LaunchScene>(SceneReplay, [] {
                SaveData::Instance()->mode = 2;
                SaveData::Instance()->selectedStage = 1;
            });
        }
        if (id != SceneReplay) return nullptr;
        auto scene = std::make_unique<ReplaySeen>();
        replay = scene.get();
        return scene;
    });
    headless::SetInputScript(nullptr);
    ASSERT_GE(asked.size(), 3u);
    EXPECT_EQ(asked[2], SceneSelect) << "back to the selection after the clear";
    EXPECT_EQ(clearedAfter, 5);
    EXPECT_EQ(costly, 3);
    EXPECT_EQ(playedWhilePaused, 1) << "nothing moves while paused";
    EXPECT_EQ(SaveData::Instance() ? SaveData::Instance()->RecordOf(1) : 0, 0) << "a replay records nothing";
    EXPECT_EQ(ReadText(dir.Path() / "solutions.txt"), kept);
}
