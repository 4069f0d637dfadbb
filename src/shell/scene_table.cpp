// Which class each scene id builds. Each scene adds its line here.
#include "shell/scene_manager.h"

std::unique_ptr<CSeen> BuildScene(SceneId id) {
    switch (id) {
        default:
            return nullptr;
    }
}
