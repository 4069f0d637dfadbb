// SPDX-License-Identifier: GPL-3.0-or-later
// Which stage the title card and the map scene take from the progress
// record, by how play was started.
#pragma once

#include <cstdint>

class SaveData;

// 1 when playing from the start (mode 0, and any mode the title menu never
// sets), the continue stage in mode 1, the selected stage in mode 2.
uint8_t StageToPlay(const SaveData& progress);
