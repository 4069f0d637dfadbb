// SPDX-License-Identifier: GPL-3.0-or-later
// Start and end of the audio half of the media layer, and the offline
// rendering the headless platform offers to tests.
#include "media/audio/audio_system.h"
#include "media/audio/sdl_audio_output.h"
#include "media/headless.h"
#include "media/media_internal.h"

namespace media_detail {
namespace {

// The layer's own audio state. The output goes first at shut-down: closing
// it waits for the mixer thread, which reads the system.
std::unique_ptr<AudioSystem> g_system;
std::unique_ptr<SdlAudioOutput> g_output;

}  // namespace

AudioSystem* ActiveAudio() { return g_system.get(); }

bool AudioInit() {
    AudioShutdown();
    auto system = std::make_unique<AudioSystem>();
    std::unique_ptr<SdlAudioOutput> output;
    if (!IsHeadless()) {  // headless runs open no device: tests pull frames
        output = SdlAudioOutput::Open(*system);
        if (!output) return false;
    }
    // The game loads its soundfont here, before its first frame. Headless
    // runs wait for their first piece of music: most tests never play any.
    if (output) system->EnsureSynth();
    g_system = std::move(system);
    g_output = std::move(output);
    if (g_output) g_output->Resume();
    return true;
}

void AudioShutdown() {
    g_output.reset();
    g_system.reset();
    ForgetUnheardSounds();
}

}  // namespace media_detail

namespace headless {

bool RenderAudio(int16_t* out, int frames) {
    media_detail::MediaLock layerLock(media_detail::MediaMutex());
    media_detail::AudioSystem* audio = media_detail::ActiveAudio();
    if (audio == nullptr || !media_detail::IsHeadless()) return false;
    audio->Render(out, frames);
    return true;
}

}  // namespace headless
