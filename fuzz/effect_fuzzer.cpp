// SPDX-License-Identifier: GPL-3.0-or-later
// The sound-effect parameter reader on arbitrary text; effects it accepts are
// rendered (a few voices at most, to keep each run short).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sfxgen/sfx_params.h"
#include "sfxgen/sfx_synth.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    std::string error;
    auto effect = sfx::ParseEffect(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!effect) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (effect->voices.size() > 4) return 0;
    for (auto& v : effect->voices) {
        // Keep each run short: a tenth of the longest envelope.
        v.attack /= 10, v.sustain /= 10, v.decay /= 10, v.start /= 10;
    }
    auto pcm = sfx::ToPcm16(sfx::Render(*effect));
    if (!pcm.empty() && std::abs(pcm.front()) > 1) __builtin_trap();  // starts from silence
    return 0;
}
