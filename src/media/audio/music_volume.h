// SPDX-License-Identifier: GPL-3.0-or-later
// The music volume setting (0..255) as a master level in hundredths of a
// decibel, and that level as a linear gain.
#pragma once

namespace media_detail {

// -10000 (-100 dB) is silence.
constexpr int kSilentLevel = -10000;

// 255 gives back the initial level exactly; any other volume v gives
// trunc((initial + 10000) * v / 256) - 10000, so 240 is 6.25 dB below a
// 0 dB start and 0 is silence.
int MusicLevelForVolume(int volume, int initialLevel);

// Linear factor of a level in hundredths of a decibel; 0 at silence.
float GainOfLevel(int level);

}  // namespace media_detail
