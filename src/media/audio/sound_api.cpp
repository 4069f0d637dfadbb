// SPDX-License-Identifier: GPL-3.0-or-later
// Sound effects: LoadSound, PlaySound and PlaySoundFile of the media layer.
#include <memory>

#include "media/audio/audio_system.h"
#include "media/audio/audio_wait.h"
#include "media/audio/file_bytes.h"
#include "media/audio/wave_decoder.h"
#include "media/media.h"
#include "media/media_internal.h"

using media_detail::ActiveAudio;
using media_detail::AudioSystem;
using media_detail::Sound;

namespace {

// Sounds loaded while no output device runs. They are still read and
// checked, so a missing or broken file fails as it always does, but a machine
// without a sound card is not told that every good file failed to load.
// Their handles play nothing: PlaySound refuses them like any device failure.
media_detail::HandleTable<bool> g_unheardSounds{media_detail::HandleKind::Sound,
                                                media_detail::kSoundSlots};

}  // namespace

namespace media_detail {

void ForgetUnheardSounds() { g_unheardSounds.Clear(); }

}  // namespace media_detail

int LoadSound(const char* fileName, int bufferCount, int /*unionHandle: streaming only*/) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr && !media_detail::IsRunning()) return -1;
    // Read and decode without the lock: the mixer keeps playing meanwhile.
    auto bytes = media_detail::ReadFileBytes(fileName, media_detail::kMaxSoundFileBytes);
    if (!bytes) return -1;
    auto samples = media_detail::DecodeWave(*bytes);
    if (!samples) return -1;
    if (audio == nullptr) return g_unheardSounds.Add(std::make_unique<bool>(true));
    auto sound = std::make_unique<Sound>(
        std::make_shared<const std::vector<int16_t>>(std::move(*samples)), bufferCount);
    std::lock_guard guard(audio->lock);
    return audio->sounds.Add(std::move(sound));
}

int PlaySound(int handle, int playType, int fromStart) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr) return -1;
    int buffer = -1;
    {
        std::lock_guard guard(audio->lock);
        Sound* sound = audio->sounds.Get(handle);
        if (sound == nullptr) return -1;
        buffer = sound->StartPlay(playType == 3, fromStart != 0);
        if (buffer < 0) return 0;  // that buffer still sounds and may not be cut off
        sound->startTimeMs = static_cast<uint32_t>(GetTimeMs());
    }
    if (playType == 0) {
        media_detail::WaitWhileSounding([handle, buffer](AudioSystem& a) {
            const Sound* sound = a.sounds.Get(handle);
            return sound != nullptr && sound->buffers[static_cast<size_t>(buffer)].playing;
        });
    }
    return 0;
}

int PlaySoundFile(const char* fileName, int playType) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    AudioSystem* audio = ActiveAudio();
    if (audio == nullptr) return -1;
    {
        std::lock_guard guard(audio->lock);
        if (audio->fileSound >= 0) audio->sounds.Remove(audio->fileSound);
        audio->fileSound = -1;
    }
    const int handle = LoadSound(fileName, 1, -1);
    if (handle < 0) return -1;
    {
        std::lock_guard guard(audio->lock);
        audio->fileSound = handle;
    }
    return PlaySound(handle, playType, 1);
}
