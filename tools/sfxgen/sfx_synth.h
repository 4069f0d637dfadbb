// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an effect description to samples.
#pragma once

#include <cstdint>
#include <vector>

#include "sfxgen/sfx_params.h"

namespace sfx {

inline constexpr int kSampleRate = 44100;

// Mono samples in -1..1, ending when the last voice has decayed. The first and
// last few milliseconds are faded so the sound starts and ends without a click.
std::vector<float> Render(const Effect& effect);
// 16-bit samples, clipped softly.
std::vector<int16_t> ToPcm16(const std::vector<float>& samples);

}  // namespace sfx
