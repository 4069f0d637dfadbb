// SPDX-License-Identifier: GPL-3.0-or-later
// Whether SDL's video driver gives the player a window to see. Without any
// display SDL falls back to drivers that draw nowhere ("offscreen", "dummy");
// the game must not then run unseen, holding the single-copy lock.
#pragma once

namespace media_detail {

// askedDriver: the driver named through SDL_VIDEODRIVER (null or empty when
// none was); currentDriver: the one SDL chose.
bool DriverShowsWindows(const char* askedDriver, const char* currentDriver);

}  // namespace media_detail
