// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the wave decoder. Whatever it accepts must come
// out as whole stereo frames within the memory bound.
#include <cstdlib>

#include "media/audio/audio_format.h"
#include "media/audio/wave_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > media_detail::kMaxSoundFileBytes) return 0;
    const auto samples = media_detail::DecodeWave(std::span(data, size));
    if (!samples) return 0;
    if (samples->size() % media_detail::kMixChannels != 0) std::abort();
    if (samples->size() * sizeof(std::int16_t) > media_detail::kMaxDecodedSoundBytes) std::abort();
    return 0;
}
