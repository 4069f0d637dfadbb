// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own start-up and frame loop on the headless platform with
// scripted keys, for the install test: copied beside an installed `veltrim`,
// it finds its data and its save place exactly as the game does.
//   installed_run clear <moves>   plays stage 1 from the title with the moves (L U R D)
//   installed_run select          opens the selection screen and prints what it shows
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "resources/save_data.h"
#include "scenes/select_seen.h"
#include "scenes/title.h"
#include "shell/data_folder.h"
#include "shell/game.h"
#include "support/move_keys.h"

namespace {

constexpr int kFrameLimit = 20000;
constexpr int kSettleFrames = 40;  // for the page and the preview to be drawn


// FNV-1a over the pixels of stage 1's cell on the selection screen.
uint64_t FirstCellPrint(const std::vector<uint32_t>& frame) {
    uint64_t hash = 14695981039346656037ull;
    for (int y = 0; y < SelectSeen::kCellSize; ++y)
        for (int x = 0; x < SelectSeen::kCellSize; ++x) {
            hash ^= frame[static_cast<size_t>((SelectSeen::CellY(0) + y) * kScreenWidth + SelectSeen::CellX(0) + x)];
            hash *= 1099511628211ull;
        }
    return hash;
}

struct Run {
    std::string command;
    std::string moves;
    CSeen* scene = nullptr;
    SceneId id = SceneEnd;
    int frame = 0;
    int enteredAt = 0;
    bool cleared = false;
    bool shown = false;

    void Script(int frameNumber, headless::FrameInput& input) {
        frame = frameNumber;
        if (frame >= kFrameLimit) {
            input.closeWindow = true;
            return;
        }
        const bool tap = frame % 2 == 0;  // a key held every other frame: a new press each time
        if (id == SceneOpening || id == SceneStageTitle) {
            if (cleared) input.closeWindow = true;  // the clear was saved on the way here
            else if (tap) input.keysHeld.push_back(KEY_Z);
        } else if (auto* title = dynamic_cast<Title*>(scene)) {
            const int item = command == "select" ? 2 : 0;
            if (title->cursor != item) {
                if (title->coolDown == 0 && tap) input.keysHeld.push_back(KEY_DOWN);
            } else if (tap) {
                input.keysHeld.push_back(KEY_Z);
            }
        } else if (auto* map = dynamic_cast<CMapSeen*>(scene)) {
            if (map->rules.playState == kPlayStateClearing) cleared = true;
            if (!map->player || map->rules.playState != kPlayStatePlaying || map->player->animating) return;
            const size_t next = static_cast<size_t>(map->rules.steps);
            if (next < moves.size()) input.keysHeld.push_back(KeyOf(moves[next]));
        } else if (id == SceneSelect && frame - enteredAt > kSettleFrames && !shown) {
            std::printf("record %d cell %016llx\n", SaveData::Instance()->RecordOf(1),
                        static_cast<unsigned long long>(FirstCellPrint(headless::LastPresentedFrame())));
            shown = true;
            input.closeWindow = true;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    Run run;
    run.command = argc > 1 ? argv[1] : "";
    run.moves = argc > 2 ? argv[2] : "";
    if (run.command != "select" && (run.command != "clear" || run.moves.empty())) {
        std::fprintf(stderr, "usage: installed_run clear <moves> | installed_run select\n");
        return 2;
    }
    headless::UseHeadlessPlatform();
    headless::SetInputScript([&run](int frame, headless::FrameInput& input) { run.Script(frame, input); });
    SettleIntoGameFolders(RunningProgramFile());
    const int result = RunGame([&run](SceneId id) {
        std::unique_ptr<CSeen> scene = BuildScene(id);
        run.scene = scene.get();
        run.id = id;
        run.enteredAt = run.frame;
        return scene;
    });
    for (const headless::Message& message : headless::Messages())
        std::printf("message \"%s\" (%s)\n", message.text.c_str(), message.caption.c_str());
    if (run.command == "clear") std::printf(run.cleared ? "cleared\n" : "not cleared\n");
    const bool done = run.command == "clear" ? run.cleared : run.shown;
    return result == 0 && done && headless::Messages().empty() ? 0 : 1;
}
