// Which class each scene id builds. Each scene adds its line here.
#include "play/map_seen.h"
#include "scenes/stage_title.h"
#include "shell/scene_manager.h"

std::unique_ptr<CSeen> BuildScene(SceneId id) {
    switch (id) {
        case SceneMap:
            return std::make_unique<CMapSeen>(true);  // with the stage music
        case SceneStageTitle:
            return std::make_unique<StageTitle>();
        default:
            return nullptr;
    }
}
