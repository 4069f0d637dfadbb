// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/audio_system.h"

#include <algorithm>
#include <cmath>

#include "media/audio/audio_format.h"
#include "media/audio/fluid_gm_synth.h"
#include "media/audio/soundfont_path.h"

namespace media_detail {
namespace {

// After the music ends and its last voice has died, the reverb still rings
// for a while; after that the synthesizer is left idle to save processor time.
constexpr int64_t kReverbTailFrames = 3 * kMixRate;

}  // namespace

void AudioSystem::EnsureSynth() {
    if (synthTried_) return;
    auto made = MakeFluidSynth(FindSoundFont());
    std::lock_guard guard(lock);
    synth = std::move(made);
    synthTried_ = true;
}

void AudioSystem::ResetAll() {
    StopMusicNow();
    sounds.Clear();
    music.Clear();
    lastMusic = -1;
    fileSound = -1;
    musicGain = 1.0f;
}

void AudioSystem::StopMusicNow() {
    if (synth) sequencer.Stop(*synth);
}

void AudioSystem::RenderMusic(int frames) {
    const bool active = sequencer.Playing() || synth->Sounding();
    quietMusicFrames_ = active ? 0 : quietMusicFrames_ + frames;
    if (quietMusicFrames_ > kReverbTailFrames || musicGain == 0.0f) {
        // Silent anyway; keep the sequencer's timing going all the same.
        if (sequencer.Playing()) sequencer.Render(*synth, music_.data(), frames);
        return;
    }
    sequencer.Render(*synth, music_.data(), frames);
    const float scale = musicGain * 32768.0f;
    for (size_t i = 0; i < static_cast<size_t>(frames) * kMixChannels; ++i) mix_[i] += music_[i] * scale;
}

void AudioSystem::Render(int16_t* out, int frames) {
    if (frames <= 0) return;
    std::lock_guard guard(lock);
    const size_t samples = static_cast<size_t>(frames) * kMixChannels;
    mix_.assign(samples, 0.0f);
    if (music_.size() < samples) music_.resize(samples);

    sounds.ForEach([&](Sound& sound) { sound.MixInto(std::span<float>(mix_.data(), samples)); });
    if (synth) RenderMusic(frames);

    for (size_t i = 0; i < samples; ++i) {
        const float v = std::clamp(mix_[i], -32768.0f, 32767.0f);
        out[i] = static_cast<int16_t>(std::lrint(v));
    }
}

}  // namespace media_detail
