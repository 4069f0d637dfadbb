// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the stage files at start-up and reads each one's par value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "play/stage_file.h"  // StageFilePath: "Stage/stage<n>.map"

// Reads the par value of one stage file: the low byte of the number in its
// first property's value. Short files give 0 for what is missing.
uint8_t ReadParValue(std::FILE* file);

// Par values of the stage files numbered from 1 without gaps, at most
// `limit` of them; the size of the result is the stage count.
std::vector<uint8_t> ProbeStages(int limit);

// The number at the start of UTF-16 text as a C library conversion reads it:
// optional blanks and sign, then decimal digits up to the first other
// character; 0 when there are none. Saturates at the 32-bit limits.
int32_t WideTextToInt(std::u16string_view text);
