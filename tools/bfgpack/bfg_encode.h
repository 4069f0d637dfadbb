// SPDX-License-Identifier: GPL-3.0-or-later
// Making .bfg files: the pad count, then the image file and filler up to a
// whole number of blocks, each block encrypted with the .bfg key. Only
// build-time tools and tests make .bfg files; the game only reads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "resources/blowfish.h"

// The bytes of a .bfg file holding image (filler bytes are zero).
std::vector<uint8_t> EncodeBfg(std::span<const uint8_t> image, const BlowfishState& cipher);
