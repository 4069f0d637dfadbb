// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a stage through the game's own frame loop on the headless platform:
// the scene table builds one map scene from a stage file written by the test,
// a script holds keys frame by frame, and every presented frame is recorded
// together with the scene's state after it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "support/play_pictures.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "support/game_run.h"

// The scene's state after one presented frame.
struct FrameRecord {
    int frame = 0;
    bool playing = false;  // the map scene was still current when the frame was presented
    int x = 0, y = 0;
    int steps = 0;
    int playState = 0;
    int fade = 0;
    int stepKind = 0;
    bool animating = false;
    int motion = 0;
    bool eraseMode = false;
    int erasuresLeft = 0;
    std::size_t soundsSoFar = 0;
    std::vector<uint32_t> pixels;  // only when keepPixels
};

class MapSceneTest : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        play_pictures::WriteAll();
        stage.backgroundName = "bg.bfg";
        stage.properties = {{"par", "20"}, {"limit", "2"}};
        for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
            for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
                stage.board.Set(c, r, CELL_FLOOR);
            }
        }
        stage.characters = {{5, 6}};
    }

    void WriteStage(int number, const StageFileImage& image) const {
        const std::vector<uint8_t> bytes = EncodeStageFile(image);
        dir.Write(StageFilePath(number), std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }

    // Writes the stage as stage 1 (and `extraStages` copies after it) and runs
    // the game until the map scene ends or `maxFrames` frames were shown.
    // `keys` gives the keys held during each pass of the loop (from 1).
    void Play(int maxFrames, std::function<std::vector<int>(int pass)> keys,
              int extraStages = 0) {
        for (int n = 1; n <= 1 + extraStages; ++n) WriteStage(n, stage);
        // Pass 1 runs a launcher scene that asks for the map scene, so the map
        // scene is built by the switcher as in the game; map pass n is loop
        // pass n + 1 and map frame n is presented frame n + 1.
        headless::SetInputScript([&, maxFrames](int presented, headless::FrameInput& input) {
            const int mapPass = presented;
            if (keys && mapPass >= 1) input.keysHeld = keys(mapPass);
            if (windowInactive.count(mapPass)) input.windowActive = false;
            if (presented >= maxFrames + 1 || stopPlaying) input.closeWindow = true;
        });
        headless::SetFrameObserver([&](int frame, const std::vector<uint32_t>& pixels) {
            if (frame == 1) return;  // the launcher's frame
            FrameRecord rec;
            rec.frame = frame - 1;
            rec.playing = map != nullptr;
            if (map) {
                rec.x = map->player->position.x;
                rec.y = map->player->position.y;
                rec.steps = map->rules.steps;
                rec.playState = map->rules.playState;
                rec.fade = map->fade;
                rec.stepKind = map->player->stepKind;
                rec.animating = map->player->animating != 0;
                rec.motion = map->player->motion;
                rec.eraseMode = map->rules.eraseMode;
                rec.erasuresLeft = map->rules.erasuresLeft;
                if (observe) observe(*map);
            }
            rec.soundsSoFar = sounds.size();
            if (keepPixels) rec.pixels = pixels;
            frames.push_back(std::move(rec));
        });
        const int result = RunGame([this](SceneId id) -> std::unique_ptr<CSeen> {
            requested.push_back(id);
            map = nullptr;
            SaveData& progress = *SaveData::Instance();
            if (requested.size() == 1) return std::make_unique<LaunchScene>(SceneMap);
            if (requested.size() > 2 || id != SceneMap) {  // whatever follows ends the run
                after = progress;
                return nullptr;
            }
            progress.mode = mode;
            progress.continueStage = continueStage;
            progress.selectedStage = selectedStage;
            for (std::size_t i = 0; i < records.size() && i < progress.records.size(); ++i) {
                progress.records[i] = records[i];
            }
            auto scene = std::make_unique<CMapSeen>(true);
            scene->soundLog = &sounds;
            map = scene.get();
            return scene;
        });
        headless::SetFrameObserver(nullptr);
        headless::SetInputScript(nullptr);
        EXPECT_EQ(result, 0);
    }

    // The id the map scene asked for when it ended (0 when it did not end).
    SceneId NextId() const { return requested.size() > 2 ? requested[2] : SceneEnd; }
    const FrameRecord& At(int frame) const { return frames.at(static_cast<std::size_t>(frame - 1)); }
    static std::function<std::vector<int>(int)> Hold(std::vector<int> keys, int from = 1,
                                                     int to = 1 << 30) {
        return [keys, from, to](int pass) {
            return pass >= from && pass <= to ? keys : std::vector<int>{};
        };
    }

    // Makes the fixture ready for another run in the same test.
    void Reset() {
        headless::UseHeadlessPlatform();
        ResourceManager::Instance().ForgetAll();
        SaveData::Destroy();
        map = nullptr;
        requested.clear();
        sounds.clear();
        frames.clear();
        after = Progress{};
        stopPlaying = false;
        std::filesystem::remove_all(dir.Path() / "Stage");
        std::filesystem::remove(dir.Path() / "data.sav");
    }

    StageFileImage stage;
    int mode = 0;
    uint8_t continueStage = 1;
    uint8_t selectedStage = 1;
    std::vector<uint8_t> records;
    std::set<int> windowInactive;  // passes during which the window has no focus
    bool keepPixels = false;
    std::function<void(CMapSeen&)> observe;
    // Set by a key script to close the window at the start of the pass it is
    // asked for, ending the run before maxFrames.
    bool stopPlaying = false;

    // The progress record as the map scene left it.
    struct Progress {
        int mode = -1;
        int continueStage = -1;
        std::vector<uint8_t> records;
        Progress& operator=(const SaveData& p) {
            mode = p.mode;
            continueStage = p.continueStage;
            records = p.records;
            return *this;
        }
    } after;

    CMapSeen* map = nullptr;
    std::vector<SceneId> requested;
    std::vector<RuleSound> sounds;
    std::vector<FrameRecord> frames;
};
