// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/music_volume.h"

#include <algorithm>
#include <cmath>

namespace media_detail {

int MusicLevelForVolume(int volume, int initialLevel) {
    volume = std::clamp(volume, 0, 255);
    if (volume == 255) return initialLevel;
    return (initialLevel - kSilentLevel) * volume / 256 + kSilentLevel;
}

float GainOfLevel(int level) {
    if (level <= kSilentLevel) return 0.0f;
    return static_cast<float>(std::pow(10.0, level / 2000.0));
}

}  // namespace media_detail
