// SPDX-License-Identifier: GPL-3.0-or-later
// Plays chosen shipped stages one after another through the game's own frame
// loop on the headless platform, each in a map scene built by the switcher as
// after the selection screen; a script holds keys frame by frame and sees the
// map scene. The game's data is linked into a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "play/stage_file.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "support/game_run.h"
#include "support/temp_dir.h"

// True when the figure stands still in play and its position is judged (the
// script waits for the worker between frames, never the game).
inline bool Judged(CMapSeen& map) {
    if (!map.player || map.rules.playState != kPlayStatePlaying || map.player->animating) return false;
    map.advice.WaitForAnalysis();
    return map.advice.Verdict().has_value();
}

class ShippedStageRun : public ::testing::Test {
public:
    static std::filesystem::path GameFolder() { return std::filesystem::path(VELTRIM_BINARY_DIR) / "game"; }

protected:
    using Script = std::function<void(CMapSeen& map, int stageIndex, headless::FrameInput& input)>;
    static constexpr int kFrameLimit = 400000;

    void SetUp() override {
        if (!std::filesystem::exists(GameFolder() / StageFilePath(1))) GTEST_SKIP() << "the game's content is not built";
        for (const auto& entry : std::filesystem::directory_iterator(GameFolder())) {
            const std::string name = entry.path().filename().string();
            if (name == "veltrim" || name == "data.sav" || name == "solutions.txt") continue;
            std::filesystem::create_symlink(entry.path(), folder_.Path() / name);
        }
        while (std::filesystem::exists(GameFolder() / StageFilePath(stageCount + 1))) ++stageCount;
        headless::UseHeadlessPlatform();
        ResourceManager::Instance().ForgetAll();
        SaveData::Destroy();
        SaveData::SetFilePath((folder_.Path() / "data.sav").string());
    }
    void TearDown() override {
        SaveData::Destroy();
        ResourceManager::Instance().ForgetAll();
    }

    // Plays the stages in order; a stage ends with its clear (or X). The
    // script runs before every frame while a map scene is current.
    void PlayStages(const std::vector<int>& stages, const Script& script) {
        std::size_t index = 0;
        CMapSeen* map = nullptr;
        frames = 0;
        headless::SetInputScript([&](int frame, headless::FrameInput& input) {
            frames = frame;
            if (frame >= kFrameLimit) input.closeWindow = true;
            if (map) script(*map, static_cast<int>(index), input);
        });
        RunGame([&](SceneId id) -> std::unique_ptr<CSeen> {
            map = nullptr;
            if (id == SceneSelect) ++index;  // the stage before was left
            if (index >= stages.size()) return nullptr;
            if (id != SceneMap) {
                return std::make_unique<LaunchScene>(SceneMap, [&] {
                    SaveData& progress = *SaveData::Instance();
                    progress.mode = 2;
                    progress.selectedStage = static_cast<std::uint8_t>(stages[index]);
                });
            }
            auto scene = std::make_unique<CMapSeen>(true);
            map = scene.get();
            return scene;
        });
        headless::SetInputScript(nullptr);
    }

    TempDir folder_;
    int stageCount = 0;
    int frames = 0;
};
