// SPDX-License-Identifier: GPL-3.0-or-later
// Music and audio settings: LoadMusic, PlayMusic, StopMusic, DeleteMusic,
// SetMidiMode and SetMusicVolume of the media layer.
#include <memory>

#include "media/audio/audio_system.h"
#include "media/audio/audio_wait.h"
#include "media/audio/file_bytes.h"
#include "media/audio/midi_file.h"
#include "media/audio/music_volume.h"
#include "media/media.h"
#include "media/media_internal.h"

using media_detail::ActiveAudio;
using media_detail::AudioSystem;
using media_detail::Music;

namespace {

// Runs `change` on the running audio system under the layer's lock and the
// mixer's; -1 while no audio system runs.
template <class Change>
int WithAudio(Change&& change) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr) return -1;
    std::lock_guard guard(audio->lock);
    return change(*audio);
}

}  // namespace

int LoadMusic(const char* fileName) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr) return -1;
    auto bytes = media_detail::ReadFileBytes(fileName, media_detail::kMaxMidiFileBytes);
    if (!bytes) return -1;
    auto piece = media_detail::ParseMidiFile(*bytes);
    if (!piece) return -1;
    auto music = std::make_unique<Music>();
    music->piece = std::make_shared<const media_detail::MidiPiece>(std::move(*piece));
    audio->EnsureSynth();
    std::lock_guard guard(audio->lock);
    return audio->music.Add(std::move(music));
}

int PlayMusic(int handle, int playType, int startTick) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr) return -1;
    {
        std::lock_guard guard(audio->lock);
        Music* music = audio->music.Get(handle);
        if (music == nullptr) return -1;
        audio->StopMusicNow();
        if (!audio->synth) return -1;
        audio->sequencer.Start(music->piece, startTick, playType == 3, *audio->synth);
        music->startTimeMs = static_cast<uint32_t>(GetTimeMs());
        audio->lastMusic = handle;
    }
    if (playType == 0) {
        media_detail::WaitWhileSounding(
            [handle](AudioSystem& a) { return a.PlayingMusic() == handle; });
    }
    return 0;
}

int StopMusic(int handle) {
    return WithAudio([handle](AudioSystem& audio) {
        if (audio.music.Get(handle) == nullptr) return -1;
        if (audio.PlayingMusic() == handle) audio.StopMusicNow();
        return 0;
    });
}

int DeleteMusic(int handle) {
    return WithAudio([handle](AudioSystem& audio) {
        if (audio.music.Get(handle) == nullptr) return -1;
        if (audio.PlayingMusic() == handle) audio.StopMusicNow();
        if (audio.lastMusic == handle) audio.lastMusic = -1;
        audio.music.Remove(handle);
        return 0;
    });
}

int SetMidiMode(int mode) {
    return WithAudio([mode](AudioSystem& audio) {
        if (mode == audio.midiMode) return 0;
        // Both modes render through the software synthesizer; a change still
        // restarts the audio system as callers expect: everything is freed.
        audio.ResetAll();
        if (audio.synth) audio.synth->Reset();
        audio.midiMode = mode;
        return 0;
    });
}

int SetMusicVolume(int volume) {
    return WithAudio([volume](AudioSystem& audio) {
        if (audio.midiMode != 1) return 0;  // the system sequencer has no level of ours
        const int level = media_detail::MusicLevelForVolume(volume, audio.initialLevel);
        audio.musicGain = media_detail::GainOfLevel(level);
        return 0;
    });
}
