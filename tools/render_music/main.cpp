// SPDX-License-Identifier: GPL-3.0-or-later
// render_music <piece.mid> <out.wav> [seconds] [start tick]
// Renders a piece as the game plays it: loaded with LoadMusic, started with
// PlayMusic(handle, 3, start tick) (repeating, from tick 3000 unless told
// otherwise), for the given number of seconds (default 100: a whole pass and
// the join into the next). Writes 16-bit stereo at 44100 Hz.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "sfxgen/wav_writer.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: render_music <piece.mid> <out.wav> [seconds] [start tick]\n");
        return 2;
    }
    const double seconds = argc > 3 ? std::atof(argv[3]) : 100.0;
    const int startTick = argc > 4 ? std::atoi(argv[4]) : 3000;
    if (seconds <= 0 || seconds > 3600 || startTick < 0) {
        std::fprintf(stderr, "render_music: bad length or start tick\n");
        return 2;
    }
    constexpr int kRate = 44100;
    headless::UseHeadlessPlatform();
    if (InitMedia() != 0) {
        std::fprintf(stderr, "render_music: the media layer did not start\n");
        return 1;
    }
    // The game's own settings for music.
    SetMidiMode(1);
    SetMusicVolume(240);
    const int music = LoadMusic(argv[1]);
    if (music == -1 || PlayMusic(music, 3, startTick) != 0) {
        std::fprintf(stderr, "render_music: cannot play %s\n", argv[1]);
        EndMedia();
        return 1;
    }
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<int16_t> samples(static_cast<size_t>(frames) * 2);
    constexpr int kBlock = 1024;
    for (int done = 0; done < frames; done += kBlock) {
        int n = std::min(kBlock, frames - done);
        if (!headless::RenderAudio(samples.data() + static_cast<size_t>(done) * 2, n)) {
            std::fprintf(stderr, "render_music: audio is off\n");
            EndMedia();
            return 1;
        }
    }
    StopMusic(music);
    DeleteMusic(music);
    EndMedia();
    if (!sfx::WriteWav(argv[2], samples, kRate, 2)) {
        std::fprintf(stderr, "render_music: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
