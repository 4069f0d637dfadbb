// SPDX-License-Identifier: GPL-3.0-or-later
// The game's entry: start-up, the frame loop and shut-down. Returns -1 when
// the media layer cannot start, otherwise 0.
#pragma once

#include "shell/scene_manager.h"

int RunGame();
// The same with another scene table (tests put their own scenes in).
int RunGame(SceneFactory factory);
