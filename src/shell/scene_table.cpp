// SPDX-License-Identifier: GPL-3.0-or-later
// Which class each scene id builds. Each scene adds its line here.
#include "shell/scene_manager.h"

#include "play/map_seen.h"
#include "scenes/ending.h"
#include "scenes/opening.h"
#include "scenes/replay_seen.h"
#include "scenes/select_seen.h"
#include "scenes/stage_title.h"
#include "scenes/title.h"

std::unique_ptr<CSeen> BuildScene(SceneId id) {
    switch (id) {
        case SceneOpening:
            return std::make_unique<Opening>();
        case SceneTitle:
            return std::make_unique<Title>();
        case SceneMap:
            return std::make_unique<CMapSeen>(true);  // with the stage music
        case SceneStageTitle:
            return std::make_unique<StageTitle>();
        case SceneSelect:
            return std::make_unique<SelectSeen>();
        case SceneEnding:
            return std::make_unique<Ending>();
        case SceneReplay:
            return std::make_unique<ReplaySeen>();
        default:
            return nullptr;
    }
}
