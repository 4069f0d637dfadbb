// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting play types: the game's thread stands still until a sound or a
// piece of music has ended.
#pragma once

#include <functional>

#include "media/audio/audio_system.h"

namespace media_detail {

// Returns once `sounding` (asked under the audio lock) is false, or at once
// when the window has been closed; meanwhile sleeps 1 ms at a time and
// handles window events. Headless runs have no device to play on: there
// the virtual clock's advance while waiting is mixed offline, so the wait
// ends as it would live.
void WaitWhileSounding(const std::function<bool(AudioSystem&)>& sounding);

}  // namespace media_detail
