// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters of the stage set, for the staff roll: a chapter begins with
// each stage that brings in something new (a tile kind, a mark limit, a
// one-way warp chain) and is named after it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "pictures.h"

struct StageSource;

namespace pictures {

// Stages in play order, each with its number.
std::vector<Chapter> ChaptersOf(const std::vector<std::pair<int, StageSource>>& stages);

// Reads every "<n>-<name>.stage" of a folder, in stage order; throws on a
// source that does not parse.
std::vector<std::pair<int, StageSource>> ReadStageFolder(const std::string& folder);

}  // namespace pictures
