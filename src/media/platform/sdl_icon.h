// SPDX-License-Identifier: GPL-3.0-or-later
// The game's window icon.
#pragma once

#include <SDL.h>

namespace media_detail {

// The id the game passes for its own icon.
constexpr int kGameIconId = 106;

// The icon for an id: the 32x32 "icon.png" beside the program for the game's
// id (a small built-in picture when that file is missing or unreadable),
// null for any other id (the system's default icon). The caller frees it.
SDL_Surface* LoadWindowIcon(int iconId);

}  // namespace media_detail
