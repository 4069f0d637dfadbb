// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL2 output device that pulls mixed frames from an AudioSystem.
#pragma once

#include <memory>
#include <string>

#include "media/audio/audio_system.h"

namespace media_detail {

class SdlAudioOutput {
public:
    // Opens the default device for 44100 Hz 16-bit stereo (SDL converts to
    // whatever the device really takes), paused. Nothing when there is no
    // device or only SDL's dummy driver, which would play into the void.
    static std::unique_ptr<SdlAudioOutput> Open(AudioSystem& system);
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void Resume();
    // Frames per callback and the driver's name, for measurements.
    int BufferFrames() const { return bufferFrames_; }
    std::string DriverName() const;

private:
    SdlAudioOutput(unsigned device, int bufferFrames) : device_(device), bufferFrames_(bufferFrames) {}

    unsigned device_;
    int bufferFrames_;
};

}  // namespace media_detail
