// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/scene_music.h"

#include "media/media.h"
#include "scenes/play_type.h"

SceneMusic::SceneMusic(const char* fileName) : music(LoadMusic(fileName)) {}

SceneMusic::~SceneMusic() {
    StopMusic(music);
    DeleteMusic(music);
}

void SceneMusic::ApplyMusicRule() { ::ApplyMusicRule(music, musicStopped); }

void ApplyMusicRule(int32_t music, uint8_t& stopped) {
    const bool active = IsWindowActive() != 0;
    if (!active && stopped == 0) {
        StopMusic(music);
        stopped = 1;
    } else if (active && stopped != 0) {
        // Not resumed where it stopped: always from the same point.
        PlayMusic(music, kPlayLooping, SceneMusic::kRestartTick);
        stopped = 0;
    }
}
