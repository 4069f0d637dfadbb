// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/sdl_display.h"

#include <cstring>
#include <initializer_list>

namespace media_detail {

bool DriverShowsWindows(const char* askedDriver, const char* currentDriver) {
    // Asked for by name (tests, measurements): whatever it does is wanted.
    if (askedDriver && *askedDriver) return true;
    if (!currentDriver) return false;
    for (const char* windowless : {"offscreen", "dummy", "evdev"})
        if (std::strcmp(currentDriver, windowless) == 0) return false;
    return true;
}

}  // namespace media_detail
