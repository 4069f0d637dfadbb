// SPDX-License-Identifier: GPL-3.0-or-later
// Pure pieces of the pad state: the stick's dead zone and the bit table that
// combines the keyboard and a pad into one bit set.
#pragma once

#include <cstdint>

#include "media/platform/platform.h"

namespace media_detail {

// A raw stick position (-32768..32767) scaled to -1000..1000: inside 25 % of
// the travel it reads 0, beyond that the rest of the travel spans 0..1000.
int ScaleAxis(int raw);

// Bits of the keyboard keys held in the snapshot; U and Backspace add the
// undo bit (the redo bit with a Shift key held).
uint32_t KeyboardPadBits(const KeyboardState& keys);

// Bits of a pad: directions from its scaled axes, button n (1..24) as bit
// n + 3.
uint32_t PadReadingBits(const PadReading& pad);

}  // namespace media_detail
