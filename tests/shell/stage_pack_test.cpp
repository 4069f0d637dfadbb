// SPDX-License-Identifier: GPL-3.0-or-later
// "veltrim FOLDER": a folder of stages played through the game's own start-up
// and frame loop, its progress kept apart from the game's, and the folders
// that cannot be played reported in order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "media/headless.h"
#include "play/map_seen.h"
#include "play/stage_folder.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "scenes/title.h"
#include "shell/data_folder.h"
#include "shell/game.h"
#include "shell/stage_pack.h"
#include "support/move_keys.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFrameLimit = 6000;
const std::vector<unsigned char> kOwnSave = {'V', 'T', 'R', 3, 4, 9, 9, 0, 0};

std::vector<unsigned char> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Stage1Solution() {
    std::ifstream in(fs::path(VELTRIM_BINARY_DIR) / "stage-solutions" / "stage1.txt");
    std::string moves;
    in >> moves;
    return moves;
}

// Starts a new game from the title and plays stage 1 with the moves; closes
// the window once the clear has been saved, or after the frame limit.
struct ScriptedPlay {
    std::string moves;
    CSeen* scene = nullptr;
    SceneId id = SceneEnd;
    std::vector<SceneId> built;
    bool cleared = false;

    void Frame(int frame, headless::FrameInput& input) {
        if (frame >= kFrameLimit) {
            input.closeWindow = true;
            return;
        }
        const bool tap = frame % 2 == 0;
        if (id == SceneOpening || id == SceneStageTitle || id == SceneEnding) {
            if (cleared) input.closeWindow = true;
            else if (tap) input.keysHeld.push_back(KEY_Z);
        } else if (auto* title = dynamic_cast<Title*>(scene)) {
            if (title->cursor == 0 && tap) input.keysHeld.push_back(KEY_Z);
        } else if (auto* map = dynamic_cast<CMapSeen*>(scene)) {
            if (map->rules.playState == kPlayStateClearing) cleared = true;
            if (!map->player || map->rules.playState != kPlayStatePlaying || map->player->animating) return;
            const size_t next = static_cast<size_t>(map->rules.steps);
            if (next < moves.size()) input.keysHeld.push_back(KeyOf(moves[next]));
        }
    }
};

// A game folder of its own (the built game's files linked in) with a data.sav
// of the game's own, a user folder, and the pack folders under test.
class StagePackTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        headless::ClearMessages();
        ResourceManager::Instance().ForgetAll();
        SaveData::Destroy();
        fs::create_directories(game_);
        for (const auto& entry : fs::directory_iterator(fs::path(VELTRIM_BINARY_DIR) / "game")) {
            if (entry.path().filename() != "data.sav") fs::create_symlink(entry.path(), game_ / entry.path().filename());
        }
        std::ofstream(game_ / "data.sav", std::ios::binary)
            .write(reinterpret_cast<const char*>(kOwnSave.data()), static_cast<std::streamsize>(kOwnSave.size()));
    }
    void TearDown() override {
        SetStageFolder({});
        SaveData::Destroy();
        ResourceManager::Instance().ForgetAll();
        headless::ClearMessages();
    }

    // Runs the game as "veltrim <pack>" would, started from the temp folder.
    int Run(const fs::path& pack) {
        play.moves = Stage1Solution();
        headless::SetInputScript([this](int frame, headless::FrameInput& input) { play.Frame(frame, input); });
        const fs::path packAbsolute = fs::absolute(pack);
        fs::current_path(game_);
        SaveData::SetFilePlaces(SavePlaces(game_, GameLayout::Portable, user_));
        PlayStagePack(packAbsolute, user_);
        const int result = RunGame([this](SceneId id) {
            std::unique_ptr<CSeen> scene = BuildScene(id);
            // A scene that failed to build is deleted by the switcher at once.
            play.scene = scene && scene->GetNextId(0) != SceneEnd ? scene.get() : nullptr;
            play.id = id;
            play.built.push_back(id);
            return scene;
        });
        fs::current_path(dir.Path());
        return result;
    }

    void CopyStage1Into(const fs::path& folder) {
        fs::create_directories(folder);
        fs::copy_file(fs::path(VELTRIM_BINARY_DIR) / "game" / "Stage" / "stage1.map", folder / "stage1.map");
    }

    TempDir dir;
    fs::path game_ = dir.Path() / "game";
    fs::path user_ = dir.Path() / "home" / "veltrim";
    ScriptedPlay play;
};

}  // namespace

TEST(StagePackName, IsTheFoldersSafeNameAndAHashOfItsPath) {
    const std::string name = PackProgressName("/home/ana/my stages/Vol 1?");
    ASSERT_EQ(name.size(), 15u) << name;
    EXPECT_EQ(name.substr(0, 7), "Vol_1_-");
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", 7), std::string::npos) << name;
    EXPECT_EQ(PackProgressName("/home/ana/my stages/Vol 1?/"), name) << "a trailing slash names the same folder";
    EXPECT_NE(PackProgressName("/home/bo/Vol 1?"), name) << "same name, another folder";
    EXPECT_EQ(PackProgressName("/srv/..").substr(0, 7), "stages-") << "never a name that climbs";
    EXPECT_EQ(PackProgressFolder("/a/b", "/u/veltrim"), fs::path("/u/veltrim/packs") / PackProgressName("/a/b"));
}

TEST_F(StagePackTest, AClearedStageKeepsItsProgressUnderPacksAndLeavesTheGamesOwn) {
    const fs::path pack = dir.Path() / "my pack";
    CopyStage1Into(pack);
    ASSERT_EQ(Run(pack), 0);
    EXPECT_TRUE(play.cleared);
    EXPECT_TRUE(headless::Messages().empty());

    const fs::path progress = user_ / "packs" / PackProgressName(fs::canonical(pack)) / "data.sav";
    const std::vector<unsigned char> saved = ReadAll(progress);
    ASSERT_EQ(saved.size(), 6u) << progress;
    EXPECT_EQ(saved[4], 1) << "one stage";
    EXPECT_EQ(saved[5], Stage1Solution().size()) << "the record of stage 1";
    EXPECT_EQ(ReadAll(game_ / "data.sav"), kOwnSave);
    EXPECT_FALSE(fs::exists(user_ / "data.sav"));
}

TEST_F(StagePackTest, AMissingFolderOrOneWithoutStage1EndsWithTheNoStagesMessage) {
    const fs::path onlyStage2 = dir.Path() / "gap";
    CopyStage1Into(onlyStage2);
    fs::rename(onlyStage2 / "stage1.map", onlyStage2 / "stage2.map");
    for (const fs::path& pack : {dir.Path() / "nowhere", onlyStage2}) {
        headless::ClearMessages();
        play.built.clear();
        SaveData::Destroy();
        ASSERT_EQ(Run(pack), 0) << pack;
        ASSERT_EQ(headless::Messages().size(), 1u) << pack;
        EXPECT_EQ(headless::Messages()[0].text, "ステージが一つも存在しません");
        EXPECT_EQ(headless::Messages()[0].caption, "Error");
        EXPECT_TRUE(play.built.empty()) << "no scene is built";
    }
    EXPECT_EQ(ReadAll(game_ / "data.sav"), kOwnSave);
    EXPECT_FALSE(fs::exists(user_ / "packs"));
}

TEST_F(StagePackTest, AnUnreadableStageEndsTheGameWithTheBadDataMessage) {
    const fs::path pack = dir.Path() / "broken";
    fs::create_directories(pack);
    std::ofstream(pack / "stage1.map", std::ios::binary) << "not a stage";
    ASSERT_EQ(Run(pack), 0);
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "不正なデータです。\u3000ゲームを終了します。");
    EXPECT_EQ(headless::Messages()[0].caption, "エラー");
    ASSERT_FALSE(play.built.empty());
    EXPECT_EQ(play.built.back(), SceneMap) << "the game ends when the stage fails to load, nothing after it";
    EXPECT_FALSE(play.cleared);
    EXPECT_EQ(ReadAll(game_ / "data.sav"), kOwnSave);
}

TEST_F(StagePackTest, ABackgroundIsLookedForInTheFolderFirst) {
    const fs::path pack = dir.Path() / "pictures";
    fs::create_directories(pack);
    std::ofstream(pack / "mine.bfg") << "x";
    SetStageFolder(pack);
    EXPECT_EQ(StagePicturePath("mine.bfg"), (pack / "mine.bfg").string());
    EXPECT_EQ(StagePicturePath("bg1.bfg"), "bg1.bfg") << "the game's own picture";
    EXPECT_EQ(PlayedStagePath(3), (pack / "stage3.map").string());
    SetStageFolder({});
    EXPECT_EQ(PlayedStagePath(3), "Stage/stage3.map");
}
