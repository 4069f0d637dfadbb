// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the whole game (the shipped scene table, the real frame loop on the
// headless platform) with a key script that reacts to the current scene:
// the solver's moves in a map scene, menu choices on the title.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/map_seen.h"
#include "scenes/title.h"
#include "shell/game.h"
#include "shell/scene_manager.h"
#include "support/move_keys.h"

namespace content_test {

// Far more frames than the whole game needs; a run that gets here is stuck.
constexpr int kFrameLimit = 400000;

// What one cleared stage showed when its clear began.
struct Clear {
    int stage = 0;
    int steps = 0;
    int par = 0;
};

// Runs the game with the shipped scene table, watching which scene is
// current so the key script can react to it.
class GameRun {
public:
    using Plan = std::function<void(GameRun& run, int frame, headless::FrameInput& input)>;

    explicit GameRun(std::map<int, std::string> solutions) : solutions_(std::move(solutions)) {}

    int Run(Plan plan) {
        headless::UseHeadlessPlatform();
        headless::SetInputScript([this, plan](int frame, headless::FrameInput& input) {
            frames = frame;
            if (frame >= kFrameLimit) {
                input.closeWindow = true;
                return;
            }
            NoteClear();
            plan(*this, frame, input);
        });
        const int result = RunGame([this](SceneId id) {
            std::unique_ptr<CSeen> scene = BuildScene(id);
            current = scene.get();
            currentId = id;
            sceneLog.push_back(id);
            clearNoted = false;
            return scene;
        });
        // A missing picture, sound or stage would have shown a message.
        for (const headless::Message& message : headless::Messages()) {
            if (!messagesExpected)
                ADD_FAILURE() << "the game showed \"" << message.text << "\" (" << message.caption << ")";
        }
        return result;
    }

    // Holds a button on every other frame, so each hold is a new press.
    static void Tap(int frame, headless::FrameInput& input, int key) {
        if (frame % 2 == 0) input.keysHeld.push_back(key);
    }

    // In a map scene: the next move of the solution once the figure is idle.
    void PlaySolution(headless::FrameInput& input) {
        auto* map = dynamic_cast<CMapSeen*>(current);
        if (!map || !map->player || map->rules.playState != kPlayStatePlaying || map->player->animating) return;
        const std::string& moves = solutions_[map->stage];
        const std::size_t next = map->rules.steps;
        if (next < moves.size()) input.keysHeld.push_back(KeyOf(moves[next]));
    }

    // Walks the title menu's cursor to an item and confirms it.
    void ChooseTitleItem(int frame, headless::FrameInput& input, int item) {
        auto* title = dynamic_cast<Title*>(current);
        if (!title) return;
        if (title->cursor != item) {
            if (title->coolDown == 0 && frame % 2 == 0) input.keysHeld.push_back(KEY_DOWN);
        } else {
            Tap(frame, input, KEY_Z);
        }
    }

    bool messagesExpected = false;  // the test looks at headless::Messages() itself
    CSeen* current = nullptr;
    SceneId currentId = SceneEnd;
    std::vector<SceneId> sceneLog;
    std::vector<Clear> clears;
    int frames = 0;

private:
    void NoteClear() {
        auto* map = dynamic_cast<CMapSeen*>(current);
        if (!map || clearNoted || map->rules.playState != kPlayStateClearing) return;
        clears.push_back({map->stage, map->rules.steps, map->par});
        clearNoted = true;
    }

    std::map<int, std::string> solutions_;
    bool clearNoted = false;
};

}  // namespace content_test
