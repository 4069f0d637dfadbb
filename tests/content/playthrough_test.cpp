// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game through the real frame loop on the headless platform, with
// scripted keys: every stage is played with the solver's moves, one step as
// soon as the figure stands still, and must clear in exactly its par.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "play/stage_file.h"
#include "resources/save_data.h"
#include "scenes/select_seen.h"
#include "scenes/title.h"
#include "shell/game.h"
#include "support/temp_dir.h"
#include "support/move_keys.h"
#include "game_script.h"

namespace {

namespace fs = std::filesystem;

fs::path GameFolder() { return fs::path(VELTRIM_BINARY_DIR) / "game"; }
fs::path SolutionFolder() { return fs::path(VELTRIM_BINARY_DIR) / "stage-solutions"; }

using content_test::Clear;
using content_test::GameRun;
using content_test::kFrameLimit;

class PlaythroughTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(GameFolder() / StageFilePath(1)) || !fs::exists(SolutionFolder() / "stage1.txt")) {
            GTEST_SKIP() << "the game's content is not built";
        }
        // The game reads its data from the current folder and writes data.sav
        // there: a fresh folder that links to the built data.
        for (const fs::directory_entry& entry : fs::directory_iterator(GameFolder())) {
            const std::string name = entry.path().filename().string();
            if (name == "veltrim" || name == "data.sav") continue;
            fs::create_symlink(entry.path(), folder_.Path() / name);
        }
        for (int stage = 1; fs::exists(GameFolder() / StageFilePath(stage)); ++stage) {
            std::ifstream in(SolutionFolder() / ("stage" + std::to_string(stage) + ".txt"));
            in >> solutions[stage];
            stageCount = stage;
        }
    }

    void TearDown() override { SaveData::Destroy(); }

    // The progress as the game saved it.
    SaveData* SavedProgress() {
        SaveData::Destroy();
        SaveData* progress = SaveData::Instance(static_cast<std::uint8_t>(stageCount));
        EXPECT_TRUE(progress->Load());
        return progress;
    }

    // Writes a save file before a run.
    void SaveProgress(const std::function<void(SaveData&)>& change) {
        SaveData::Destroy();
        SaveData* progress = SaveData::Instance(static_cast<std::uint8_t>(stageCount));
        change(*progress);
        ASSERT_TRUE(progress->Save());
        SaveData::Destroy();
    }

    TempDir folder_;
    std::map<int, std::string> solutions;
    int stageCount = 0;
};

TEST_F(PlaythroughTest, EveryStageClearsInItsParFromTheTitleToTheEnding) {
    GameRun run(solutions);
    run.Run([](GameRun& r, int frame, headless::FrameInput& input) {
        switch (r.currentId) {
            case SceneOpening:
            case SceneStageTitle: GameRun::Tap(frame, input, KEY_Z); break;
            case SceneTitle: r.ChooseTitleItem(frame, input, 0); break;
            case SceneMap: r.PlaySolution(input); break;
            case SceneEnding: input.closeWindow = true; break;
            default: break;
        }
    });
    ASSERT_LT(run.frames, kFrameLimit) << "the run got stuck in scene " << run.currentId;
    EXPECT_EQ(run.currentId, SceneEnding);
    ASSERT_EQ(run.clears.size(), static_cast<std::size_t>(stageCount));
    for (int stage = 1; stage <= stageCount; ++stage) {
        const Clear& clear = run.clears[static_cast<std::size_t>(stage - 1)];
        EXPECT_EQ(clear.stage, stage);
        EXPECT_EQ(clear.steps, clear.par) << "stage " << stage;
        EXPECT_EQ(clear.par, static_cast<int>(solutions[stage].size())) << "stage " << stage;
    }
    SaveData* progress = SavedProgress();
    EXPECT_EQ(progress->continueStage, 1);
    for (int stage = 1; stage <= stageCount; ++stage) {
        EXPECT_EQ(progress->RecordOf(stage), solutions[stage].size()) << "stage " << stage;
    }
}

TEST_F(PlaythroughTest, StageChosenOnTheSelectionScreenIsMarkedClearedAfterwards) {
    constexpr int kStage = 2;
    constexpr int kCell = kStage - 1;
    constexpr int kSettle = 40;  // frames for the page and the preview to settle
    std::vector<std::uint32_t> before;
    std::vector<std::uint32_t> after;
    auto cellPixels = [] {
        const std::vector<std::uint32_t>& frame = headless::LastPresentedFrame();
        std::vector<std::uint32_t> cell;
        for (int y = 0; y < SelectSeen::kCellSize; ++y) {
            for (int x = 0; x < SelectSeen::kCellSize; ++x) {
                cell.push_back(frame[static_cast<std::size_t>((SelectSeen::CellY(kCell) + y) * 640 +
                                                               SelectSeen::CellX(kCell) + x)]);
            }
        }
        return cell;
    };
    int visits = 0;
    int enteredAt = 0;
    GameRun run(solutions);
    run.Run([&](GameRun& r, int frame, headless::FrameInput& input) {
        switch (r.currentId) {
            case SceneOpening:
            case SceneStageTitle: GameRun::Tap(frame, input, KEY_Z); break;
            case SceneTitle: r.ChooseTitleItem(frame, input, 2); break;
            case SceneMap: r.PlaySolution(input); break;
            case SceneSelect: {
                auto* select = dynamic_cast<SelectSeen*>(r.current);
                const int visit = static_cast<int>(std::count(r.sceneLog.begin(), r.sceneLog.end(), SceneSelect));
                if (visit != visits) {
                    visits = visit;
                    enteredAt = frame;
                }
                if (frame - enteredAt < kSettle) break;
                if (visit == 1) {
                    if (before.empty()) before = cellPixels();  // cursor on stage 1, stage 2 not cleared
                    if (select->cursor != kCell) {
                        if (select->coolDown == 0 && frame % 2 == 0) input.keysHeld.push_back(KEY_RIGHT);
                    } else {
                        GameRun::Tap(frame, input, KEY_Z);
                    }
                } else if (select->cursor == kCell) {
                    if (select->coolDown == 0 && frame % 2 == 0) input.keysHeld.push_back(KEY_LEFT);
                } else if (frame - enteredAt > 2 * kSettle) {
                    after = cellPixels();
                    input.closeWindow = true;
                }
                break;
            }
            default: break;
        }
    });
    ASSERT_LT(run.frames, kFrameLimit) << "the run got stuck in scene " << run.currentId;
    ASSERT_EQ(run.clears.size(), 1u);
    EXPECT_EQ(run.clears[0].stage, kStage);
    EXPECT_EQ(run.clears[0].steps, run.clears[0].par);
    // The clear led straight back to the selection screen.
    const std::vector<SceneId> expected = {SceneOpening, SceneTitle, SceneSelect, SceneStageTitle, SceneMap, SceneSelect};
    EXPECT_EQ(run.sceneLog, expected);
    ASSERT_FALSE(before.empty());
    ASSERT_FALSE(after.empty());
    EXPECT_NE(before, after) << "the cell of the cleared stage looks the same as before";
    SaveData* progress = SavedProgress();
    EXPECT_EQ(progress->RecordOf(kStage), solutions[kStage].size());
    EXPECT_EQ(progress->RecordOf(1), 0);
    EXPECT_EQ(progress->continueStage, 1);  // choosing a stage does not move the continue point
}

TEST_F(PlaythroughTest, ContinueResumesAtTheSavedStage) {
    constexpr int kSaved = 5;
    SaveProgress([](SaveData& progress) { progress.continueStage = kSaved; });
    int playedStage = 0;
    GameRun run(solutions);
    run.Run([&](GameRun& r, int frame, headless::FrameInput& input) {
        switch (r.currentId) {
            case SceneOpening: GameRun::Tap(frame, input, KEY_Z); break;
            case SceneStageTitle:
                if (!r.clears.empty()) {
                    input.closeWindow = true;  // the card of the stage after
                } else {
                    GameRun::Tap(frame, input, KEY_Z);
                }
                break;
            case SceneTitle: r.ChooseTitleItem(frame, input, 1); break;
            case SceneMap:
                playedStage = dynamic_cast<CMapSeen*>(r.current)->stage;
                r.PlaySolution(input);
                break;
            default: break;
        }
    });
    ASSERT_LT(run.frames, kFrameLimit) << "the run got stuck in scene " << run.currentId;
    EXPECT_EQ(playedStage, kSaved);
    ASSERT_EQ(run.clears.size(), 1u);
    EXPECT_EQ(run.clears[0].steps, run.clears[0].par);
    EXPECT_EQ(SavedProgress()->continueStage, kSaved + 1);
}

}  // namespace
