// SPDX-License-Identifier: GPL-3.0-or-later
// The title screen: a background and a four-item menu (play from stage 1,
// continue, choose a stage, quit). The choice is recorded in the save data's
// mode and decides the next scene.
#pragma once

#include <cstdint>

#include "scenes/scene_music.h"
#include "shell/seen.h"

class Title : public CSeen {
public:
    Title();

    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t) override;
    void Draw() override;

    static constexpr int kItemCount = 4;
    static constexpr int kCoolDown = 10;

    int32_t background = -1;  // owned by the resource manager
    int32_t menu = -1;        // four 96x16 labels stacked; owned by the resource manager
    int32_t cursor = 0;       // selected item 0..3
    int32_t moveSound = -1;   // owned by the resource manager
    SceneMusic music{"title.mid"};
    int32_t coolDown = 0;     // frames before the cursor may move again

private:
    // Records the chosen item and returns the scene it leads to.
    SceneId Choose(int item);
};
