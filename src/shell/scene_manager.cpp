// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scene_manager.h"

#include <utility>
#include <vector>

#include "media/media.h"
#include "resources/messages.h"
#include "resources/save_data.h"
#include "shell/stage_probe.h"

SceneManager::SceneManager(SceneFactory factory) : factory_(std::move(factory)) {}

void SceneManager::Start() {
    currentId = SceneOpening;
    repeatMask = 0xF;
    // The save file keeps the stage count in one byte: stages past 255 do not count.
    const std::vector<uint8_t> pars = ProbeStages(SaveData::kMaxStages);
    if (pars.empty()) {
        ShowMessageBox(Translated("ステージが一つも存在しません"), Translated("Error"));
        return;
    }
    saveData = SaveData::Instance(static_cast<uint8_t>(pars.size()));
    saveData->Load();
    // After the load, so the par values always come from the stage files.
    for (size_t i = 0; i < pars.size() && i < saveData->parValues.size(); ++i) saveData->parValues[i] = pars[i];
    scene = factory_ ? factory_(SceneOpening) : nullptr;
}

void SceneManager::SwitchScene(SceneId id) {
    // The old scene (and its music) is always gone before the next is built.
    scene.reset();
    if (id == SceneEnd) return;
    scene = factory_ ? factory_(id) : nullptr;
    if (!scene) {
        // An id without a scene ends the game after this frame.
        id = SceneEnd;
    } else if (scene->GetNextId(0) == SceneEnd) {
        ShowMessageBox(Translated("不正なデータです。\u3000ゲームを終了します。"), Translated("エラー"));
        scene.reset();
        id = SceneEnd;
    }
    currentId = id;
}
