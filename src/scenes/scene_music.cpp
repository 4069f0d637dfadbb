#include "scenes/scene_music.h"

#include "media/media.h"

namespace {
constexpr int kPlayLooping = 3;
}

SceneMusic::SceneMusic(const char* fileName) : music(LoadMusic(fileName)) {}

SceneMusic::~SceneMusic() {
    StopMusic(music);
    DeleteMusic(music);
}

void SceneMusic::ApplyMusicRule() {
    const bool active = IsWindowActive() != 0;
    if (!active && musicStopped == 0) {
        StopMusic(music);
        musicStopped = 1;
    } else if (active && musicStopped != 0) {
        // Not resumed where it stopped: always from the same point.
        PlayMusic(music, kPlayLooping, kRestartTick);
        musicStopped = 0;
    }
}
