// SPDX-License-Identifier: GPL-3.0-or-later
// A panel of a few text lines under the playing area, in the game's own
// drawing (a tinted box, a white frame, white text): the hint, the dead-end
// warning and the replay's controls all use it.
#pragma once

#include <string>
#include <vector>

// Empty lines are skipped. `colour` is a packed colour (MakeColor).
void DrawInfoPanel(const std::vector<std::string>& lines, int colour);
