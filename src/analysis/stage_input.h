// SPDX-License-Identifier: GPL-3.0-or-later
// Reading what the critic is given: a stage source (compiled in memory and
// read back by the game's own stage reader, so it is judged exactly as the
// game will play it) or a compiled stage file.
#pragma once

#include "stage_source.h"

#include "play/stage_file.h"

#include <string>

struct StageInput {
    bool ok = false;
    std::string error;  // "file: reason" when not ok
    StageData stage;
    StageDesign design;  // declared only in sources
};

StageInput ReadStageInput(const std::string& path);
// The same from a source's text.
StageInput StageInputOfSource(const std::string& name, const std::string& text);
