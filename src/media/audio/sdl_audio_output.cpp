// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/sdl_audio_output.h"

#include <SDL.h>

#include <cstring>

#include "media/audio/audio_format.h"

namespace media_detail {
namespace {

void MixCallback(void* system, Uint8* stream, int length) {
    const int frameBytes = static_cast<int>(sizeof(int16_t)) * kMixChannels;
    static_cast<AudioSystem*>(system)->Render(reinterpret_cast<int16_t*>(stream), length / frameBytes);
}

}  // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::Open(AudioSystem& system) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver == nullptr || std::strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_AudioSpec want{};
    want.freq = kMixRate;
    want.format = AUDIO_S16SYS;
    want.channels = kMixChannels;
    want.samples = kDeviceBufferFrames;
    want.callback = MixCallback;
    want.userdata = &system;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts our format to the device's own.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::unique_ptr<SdlAudioOutput>(new SdlAudioOutput(device, have.samples));
}

SdlAudioOutput::~SdlAudioOutput() {
    SDL_CloseAudioDevice(device_);  // waits for a running callback to return
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::Resume() { SDL_PauseAudioDevice(device_, 0); }

std::string SdlAudioOutput::DriverName() const {
    const char* name = SDL_GetCurrentAudioDriver();
    return name != nullptr ? name : "";
}

}  // namespace media_detail
