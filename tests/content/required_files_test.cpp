// SPDX-License-Identifier: GPL-3.0-or-later
// The game on a folder that holds exactly the files it has always loaded
// (no file that only our additions use): every scene runs and nothing but
// its long-standing messages appear; an addition that misses its file goes
// on silently, with one line on standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game_script.h"
#include "play/stage_file.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "scenes/select_seen.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using content_test::GameRun;
using content_test::kFrameLimit;

fs::path GameFolder() { return fs::path(VELTRIM_BINARY_DIR) / "game"; }
fs::path SolutionFolder() { return fs::path(VELTRIM_BINARY_DIR) / "stage-solutions"; }

// Every picture, sound and piece of music the game has always loaded, besides the
// stage files and the backgrounds they name.
const std::vector<std::string> kRequiredFiles = {
    "logo.bfg",       "title_bg.bfg",     "title_menu.bfg",   "move1.wav",      "ok.wav",
    "title.mid",      "select_bg.bfg",    "select_frames.bfg", "select_icons.bfg", "move2.wav",
    "cansel.wav",     "select.mid",       "number.bfg",       "stage_title.bfg", "ending_title.bfg",
    "ending_logo.bfg", "staffroll.bfg",   "credit.mid",       "tails.bfg",      "heroine.bfg",
    "footstep.wav",   "footstep2.wav",    "warp.wav",         "brock.wav",      "arrow.wav",
    "erase.wav",      "clear.wav",        "stage1.mid",
};
constexpr int kStages = 2;  // enough for the ending to follow the last stage

class RequiredFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(GameFolder() / StageFilePath(kStages)) || !fs::exists(SolutionFolder() / "stage1.txt"))
            GTEST_SKIP() << "the game's content is not built";
        fs::create_directories(folder_.Path() / "Stage");
        for (const std::string& name : kRequiredFiles) Link(name);
        for (int stage = 1; stage <= kStages; ++stage) {
            Link(StageFilePath(stage));
            std::ifstream file(GameFolder() / StageFilePath(stage), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            const StageFileResult parsed = ParseStageFile(bytes);
            ASSERT_TRUE(parsed) << StageFilePath(stage);
            Link(parsed.stage.backgroundName);
            std::ifstream in(SolutionFolder() / ("stage" + std::to_string(stage) + ".txt"));
            in >> solutions_[stage];
        }
        ResourceManager::Instance().ForgetAll();
        SaveData::Destroy();
    }
    void TearDown() override {
        SaveData::Destroy();
        ResourceManager::Instance().ForgetAll();
    }

    void Link(const std::string& name) {
        ASSERT_TRUE(fs::exists(GameFolder() / name)) << name;
        fs::create_symlink(GameFolder() / name, folder_.Path() / name);
    }

    TempDir folder_;
    std::map<int, std::string> solutions_;
};

// Through every scene: the selection screen and its previews, a chosen
// stage cleared, back out to the opening, then both stages from the title
// (the second one with an undo) and the ending.
void PlayEveryScene(GameRun& run) {
    int titleVisits = 0, selectVisits = 0;
    SceneId last = SceneEnd;
    int enteredAt = 0;
    bool undone = false;
    run.Run([&](GameRun& r, int frame, headless::FrameInput& input) {
        if (r.currentId != last) {
            last = r.currentId;
            enteredAt = frame;
            titleVisits += last == SceneTitle;
            selectVisits += last == SceneSelect;
        }
        switch (r.currentId) {
            case SceneOpening:
            case SceneStageTitle: GameRun::Tap(frame, input, KEY_Z); break;
            case SceneTitle: r.ChooseTitleItem(frame, input, titleVisits == 1 ? 2 : 0); break;
            case SceneSelect: {
                auto* select = dynamic_cast<SelectSeen*>(r.current);
                if (frame - enteredAt < 40) break;  // the page and its preview settle
                if (selectVisits > 1) {
                    GameRun::Tap(frame, input, KEY_X);
                } else if (frame - enteredAt < 80) {
                    if (select->cursor == 0 && select->coolDown == 0) input.keysHeld.push_back(KEY_RIGHT);
                } else if (select->cursor != 0) {
                    if (select->coolDown == 0) input.keysHeld.push_back(KEY_LEFT);
                } else {
                    GameRun::Tap(frame, input, KEY_Z);
                }
                break;
            }
            case SceneMap: {
                auto* map = dynamic_cast<CMapSeen*>(r.current);
                if (map->stage == kStages && map->rules.steps == 1 && !undone && !map->player->animating) {
                    if (frame % 2 == 0) {
                        undone = true;
                        input.keysHeld.push_back(KEY_A);  // undo, then play on
                    }
                    break;
                }
                r.PlaySolution(input);
                break;
            }
            case SceneEnding:
                if (frame - enteredAt > 60) input.closeWindow = true;
                break;
            default: break;
        }
    });
}

TEST_F(RequiredFilesTest, EverySceneRunsWithoutAMessage) {
    GameRun run(solutions_);
    testing::internal::CaptureStderr();
    PlayEveryScene(run);
    const std::string printed = testing::internal::GetCapturedStderr();
    ASSERT_LT(run.frames, kFrameLimit) << "the run got stuck in scene " << run.currentId;
    const std::vector<SceneId> expected = {SceneOpening, SceneTitle,      SceneSelect, SceneStageTitle, SceneMap,
                                           SceneSelect,  SceneOpening,    SceneTitle,  SceneStageTitle, SceneMap,
                                           SceneStageTitle, SceneMap,     SceneEnding};
    EXPECT_EQ(run.sceneLog, expected);
    EXPECT_EQ(run.clears.size(), 3u);
    EXPECT_TRUE(headless::Messages().empty());  // GameRun has reported each one
    // The undo sound is ours: missing, it is told once on standard error.
    const std::string notice = "resource: undo.wav could not be loaded; going on without it\n";
    const size_t first = printed.find(notice);
    EXPECT_NE(first, std::string::npos) << printed;
    EXPECT_EQ(printed.find(notice, first + 1), std::string::npos) << "told more than once:\n" << printed;
}

TEST_F(RequiredFilesTest, AMissingRequiredFileIsStillReported) {
    fs::remove(folder_.Path() / "brock.wav");
    GameRun run(solutions_);
    run.messagesExpected = true;
    run.Run([&](GameRun& r, int frame, headless::FrameInput& input) {
        switch (r.currentId) {
            case SceneOpening:
            case SceneStageTitle: GameRun::Tap(frame, input, KEY_Z); break;
            case SceneTitle: r.ChooseTitleItem(frame, input, 0); break;
            case SceneMap: input.closeWindow = true; break;
            default: break;
        }
    });
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "リソースの読み込みに失敗しました。");
    EXPECT_EQ(headless::Messages()[0].caption, "エラー");
}

}  // namespace
