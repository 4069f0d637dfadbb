// The game's entry: start-up, the frame loop and shut-down. Returns -1 when
// the media layer cannot start, otherwise 0.
#pragma once

int RunGame();
