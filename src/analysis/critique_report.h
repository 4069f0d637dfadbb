// SPDX-License-Identifier: GPL-3.0-or-later
// The critic's output: one JSON object per stage (one line each), and a
// table for people.
#pragma once

#include "design_rules.h"

#include <string>
#include <vector>

std::string CritiqueJson(const CritiquedStage& stage);
std::string CritiqueTable(const std::vector<CritiquedStage>& stages);
