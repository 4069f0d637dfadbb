// SPDX-License-Identifier: GPL-3.0-or-later
// When the player starts the game again while it runs, the running copy's
// window comes to the front instead of nothing happening: the window
// manager's usual active-window request on X11.
#pragma once

#include <sys/types.h>

namespace media_detail {

// Asks the window manager of $DISPLAY to activate the window of process
// `pid` (and so show it, on its desktop, raised and focused). False when
// there is no X display, no window manager listing its windows, or no
// window of that process among them.
bool RaiseWindowOfProcess(pid_t pid);

}  // namespace media_detail
