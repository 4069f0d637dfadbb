// SPDX-License-Identifier: GPL-3.0-or-later
// The map scene's cost: one whole frame of a full board with the figure
// walking, drawn through the headless platform, and building the scene for a
// stage whose pictures and sounds are already cached.
#include <benchmark/benchmark.h>

#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "support/play_pictures.h"
#include "support/temp_dir.h"

namespace {

// A full playing area: every tile kind, the figure in a 3-cell corridor of
// floor so it can walk back and forth for ever.
void WriteFullStage() {
    StageFileImage image;
    image.backgroundName = "bg.bfg";
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
            image.board.Set(c, r, static_cast<uint8_t>(1 + (c + r) % 17));
        }
    }
    for (int c = 4; c <= 6; ++c) image.board.Set(c, 6, CELL_FLOOR);
    image.characters = {{5, 6}};
    const std::vector<uint8_t> bytes = EncodeStageFile(image);
    test_pictures::WriteFile(StageFilePath(1), bytes);
}

class MapSceneBench {
public:
    MapSceneBench() {
        headless::UseHeadlessPlatform();
        InitMedia();
        SetDrawTarget(kBackBuffer);
        SetTransparentColor(0, 255, 0);
        play_pictures::WriteAll();
        WriteFullStage();
        SaveData::Instance(1)->mode = 0;
        CMapSeen warmUp(false);  // fills the resource cache
    }
    ~MapSceneBench() {
        EndMedia();
        SaveData::Destroy();
        ResourceManager::Instance().ForgetAll();
    }

private:
    TempDir dir_;
};

void BM_MapSceneFrame(benchmark::State& state) {
    MapSceneBench setUp;
    CMapSeen scene(false);
    int frame = 0;
    for (auto _ : state) {
        // Right for 17 frames, then left: the figure never stands still.
        const uint32_t pressed = (frame / 17) % 2 == 0 ? PAD_RIGHT : PAD_LEFT;
        ClearScreen();
        scene.Update(pressed);
        scene.Step(0);
        scene.Draw();
        FlipScreen();
        ++frame;
    }
}
BENCHMARK(BM_MapSceneFrame)->Unit(benchmark::kMicrosecond);

void BM_BuildMapSceneCached(benchmark::State& state) {
    MapSceneBench setUp;
    for (auto _ : state) {
        CMapSeen scene(false);
        benchmark::DoNotOptimize(scene.player.get());
    }
}
BENCHMARK(BM_BuildMapSceneCached)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
