// SPDX-License-Identifier: GPL-3.0-or-later
// Audio mixing cost and output latency.
//   bench_audio [game-folder]
// Renders 60 s offline, as the output device would pull it (512-frame
// blocks), with eight sound effects repeating on top of each other and a
// piece of music playing; prints the processor time that took. Then opens
// the real output device and prints its buffer and the latency it implies.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "media/audio/audio_format.h"
#include "media/audio/audio_system.h"
#include "media/audio/sdl_audio_output.h"
#include "media/audio/soundfont_path.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

std::string g_gameDir = VELTRIM_GAME_DIR;

const char* const kEffects[] = {"footstep.wav", "brock.wav", "arrow.wav", "warp.wav",
                                "erase.wav", "move1.wav", "move2.wav", "clear.wav"};

std::vector<int> g_effects;

// Replaces each repeating effect by one last play and lets those end.
void StopAllEffects() {
    for (int sound : g_effects)
        for (int buffer = 0; buffer < 3; ++buffer) PlaySound(sound, 1, 1);  // around to the repeating one
    std::vector<int16_t> block(2 * media_detail::kMixRate);
    for (int second = 0; second < 5; ++second) headless::RenderAudio(block.data(), media_detail::kMixRate);
}

void StartEightEffectsAndMusic() {
    g_effects.clear();
    for (const char* name : kEffects) {
        const int sound = LoadSound((g_gameDir + "/" + name).c_str(), 3, -1);
        if (sound < 0) std::fprintf(stderr, "cannot load %s\n", name);
        PlaySound(sound, 3, 1);  // repeating: all eight overlap all the time
        g_effects.push_back(sound);
    }
    const int music = LoadMusic((g_gameDir + "/stage1.mid").c_str());
    if (music < 0) std::fprintf(stderr, "cannot load stage1.mid\n");
    PlayMusic(music, 3, 3000);
    SetMusicVolume(240);
}

void BM_Render60SecondsOffline(benchmark::State& state) {
    std::vector<int16_t> block(media_detail::kDeviceBufferFrames * 2);
    const int blocks = 60 * media_detail::kMixRate / media_detail::kDeviceBufferFrames;
    for (auto _ : state) {
        state.PauseTiming();
        headless::UseHeadlessPlatform();
        InitMedia();
        SetMidiMode(1);
        StartEightEffectsAndMusic();
        const std::clock_t begin = std::clock();
        state.ResumeTiming();
        for (int i = 0; i < blocks; ++i)
            headless::RenderAudio(block.data(), media_detail::kDeviceBufferFrames);
        state.PauseTiming();
        const double cpu = double(std::clock() - begin) / CLOCKS_PER_SEC;
        std::printf("60 s of audio mixed in %.3f s of processor time (%.2f %% of a core)\n", cpu,
                    cpu / 60.0 * 100.0);
        // What the music alone adds, to be sure it was heard.
        StopAllEffects();
        int peak = 0;
        double sum = 0;
        for (int i = 0; i < blocks; ++i) {
            headless::RenderAudio(block.data(), media_detail::kDeviceBufferFrames);
            for (int16_t v : block) {
                peak = std::max(peak, std::abs(int{v}));
                sum += static_cast<double>(v) * v;
            }
        }
        const double rms = std::sqrt(sum / (double(blocks) * block.size()));
        std::printf("the music alone at volume 240 for 60 s: peak %d (%.1f dBFS), rms %.1f dBFS\n",
                    peak, 20 * std::log10(std::max(peak, 1) / 32768.0), 20 * std::log10(std::max(rms, 1.0) / 32768.0));
        EndMedia();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Render60SecondsOffline)->Iterations(3)->Unit(benchmark::kMillisecond);

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// How long a piece takes from LoadMusic to its first sound, as the game
// starts it (from music tick 3000), with the soundfont in use.
void PrintMusicStart() {
    headless::UseHeadlessPlatform();
    auto start = std::chrono::steady_clock::now();
    InitMedia();
    SetMidiMode(1);
    // What the game's InitMedia does with a device (headless runs put it off).
    media_detail::ActiveAudio()->EnsureSynth();
    const double initMs = MsSince(start);
    start = std::chrono::steady_clock::now();
    const int music = LoadMusic((g_gameDir + "/stage1.mid").c_str());
    PlayMusic(music, 3, 3000);
    const double loadMs = MsSince(start);
    std::vector<int16_t> block(media_detail::kDeviceBufferFrames * 2);
    long frames = 0;
    bool heard = false;
    while (!heard && frames < 10L * media_detail::kMixRate) {
        headless::RenderAudio(block.data(), media_detail::kDeviceBufferFrames);
        for (size_t i = 0; i < block.size() && !heard; ++i) {
            heard = block[i] != 0;
            if (!heard && i % 2 == 1) ++frames;
        }
    }
    const double renderMs = MsSince(start) - loadMs;
    std::printf("InitMedia + SetMidiMode(1) + the synthesizer with its soundfont: %.1f ms\n", initMs);
    std::printf("stage1.mid: LoadMusic + PlayMusic %.2f ms; first sound %.1f ms into the audio "
                "(mixed in %.1f ms), plus the output latency\n",
                loadMs, frames * 1000.0 / media_detail::kMixRate, renderMs);
    std::printf("peak resident memory of this program so far: %.1f MB\n", PeakResidentKb() / 1024.0);
    EndMedia();
}

void PrintDeviceLatency() {
    media_detail::AudioSystem silent;
    const auto output = media_detail::SdlAudioOutput::Open(silent);
    if (!output) {
        std::printf("no audio output device here; the game asks for %d frames a buffer (%.1f ms)\n",
                    media_detail::kDeviceBufferFrames,
                    media_detail::kDeviceBufferFrames * 1000.0 / media_detail::kMixRate);
        return;
    }
    const double bufferMs = output->BufferFrames() * 1000.0 / media_detail::kMixRate;
    std::printf("audio driver %s: %d frames a buffer = %.1f ms; with the buffer being played "
                "and the one being mixed, latency about %.1f ms\n",
                output->DriverName().c_str(), output->BufferFrames(), bufferMs, 2 * bufferMs);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1) g_gameDir = argv[1];
    std::printf("soundfont: %s\n", media_detail::FindSoundFont().c_str());
    PrintMusicStart();
    PrintDeviceLatency();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
