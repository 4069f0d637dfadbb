// SPDX-License-Identifier: GPL-3.0-or-later
// A scene's own music and the rule every scene with music follows: it plays
// (looping) while the window is active, stops when the window loses the
// focus, and starts again from tick 3000 when the focus returns.
#pragma once

#include <cstdint>

class SceneMusic {
public:
    // Loads the music; a file that cannot be loaded leaves handle -1, which
    // plays and stops as nothing.
    explicit SceneMusic(const char* fileName);
    // Stops and frees the music.
    ~SceneMusic();
    SceneMusic(const SceneMusic&) = delete;
    SceneMusic& operator=(const SceneMusic&) = delete;

    // Run at the start of the scene's Step, every frame.
    void ApplyMusicRule();

    static constexpr int kRestartTick = 3000;

    int32_t music = -1;
    uint8_t musicStopped = 1;  // 1 while the music is not playing
};

// The same rule for a scene that keeps its own handle and flag: `stopped` is
// 1 while the music is not playing.
void ApplyMusicRule(int32_t music, uint8_t& stopped);
