// The keys pressed and the frames kept on a tour through the game: the
// title, the stage selection, the last stage played to its clear, and the
// ending. Frame numbers count presented frames from 1.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "play/tile_rules.h"

struct Tour {
    std::map<int, int> keyAt;              // frame -> key held for that frame only
    std::map<int, std::string> snapshots;  // frame -> picture name
    int lastFrame = 0;                     // Escape is held from here on
};

// Plans the tour for a solution of the last stage.
Tour PlanTour(const std::vector<StepDirection>& solution);
