// SPDX-License-Identifier: GPL-3.0-or-later
// The frame loop's record: the current scene, the save data and the input
// edge detection state; builds the first scene and switches between scenes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "shell/seen.h"

class SaveData;

// Builds the scene for an id; null for an id without a scene.
using SceneFactory = std::function<std::unique_ptr<CSeen>(SceneId)>;

class SceneManager {
public:
    explicit SceneManager(SceneFactory factory);

    // Counts the stage files, creates and loads the save data, copies the par
    // values and builds the opening scene. With no stage file it says so and
    // leaves no scene.
    void Start();
    // Deletes the current scene, then builds the one for `id` (none for 0).
    void SwitchScene(SceneId id);

    std::unique_ptr<CSeen> scene;
    SaveData* saveData = nullptr;
    int32_t screenWidth = 640;
    int32_t screenHeight = 480;
    SceneId currentId = SceneEnd;
    uint32_t previousPad = 0;
    // Pad bits that count as pressed on every frame they are held: the directions.
    uint32_t repeatMask = 0xF;

private:
    SceneFactory factory_;
};

// The shipped scene table (scene_table.cpp).
std::unique_ptr<CSeen> BuildScene(SceneId id);
