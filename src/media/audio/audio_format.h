// SPDX-License-Identifier: GPL-3.0-or-later
// The one sample format the mixer works in: every sound is converted to it
// once at load time, and the music is rendered in it.
#pragma once

namespace media_detail {

constexpr int kMixRate = 44100;    // frames per second
constexpr int kMixChannels = 2;    // interleaved left, right
// Frames the output device asks for per callback: 512 frames is 11.6 ms.
constexpr int kDeviceBufferFrames = 512;

}  // namespace media_detail
