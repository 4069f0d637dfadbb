// SPDX-License-Identifier: GPL-3.0-or-later
// The ending after the last stage: the ending title fades out, the staff roll
// scrolls up, then the logo spins and grows into place and stays until the
// first button leads back to the opening. Credit music loops throughout.
#pragma once

#include <cstdint>

#include "scenes/scene_music.h"
#include "shell/seen.h"

class Ending : public CSeen {
public:
    Ending();
    // Frees the three pictures; the music member stops and frees the music.
    ~Ending() override;
    Ending(const Ending&) = delete;
    Ending& operator=(const Ending&) = delete;

    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t) override;
    void Draw() override;

    static constexpr int32_t kLastFrame = 1155;   // the frame counter stops here
    static constexpr int32_t kLogoStart = 1134;   // the logo grows after this frame

    // Loaded uncached and owned by the scene; -1 when missing (nothing drawn).
    int32_t titlePicture = -1;
    int32_t logoPicture = -1;
    int32_t rollPicture = -1;
    SceneMusic music{"credit.mid"};
    int32_t frame = 0;
    double logoScale = 0.0;
    int32_t logoAngle = 0;  // degrees
};
