// SPDX-License-Identifier: GPL-3.0-or-later
// Standard MIDI File output (format 1: a conductor track, then one track per
// score track), all tracks ending together at the end of the piece so that
// the piece repeats without a gap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mml2mid/song.h"

namespace mml {

std::vector<uint8_t> SmfBytes(const Song& song);
bool WriteSmf(const std::string& path, const Song& song);

}  // namespace mml
