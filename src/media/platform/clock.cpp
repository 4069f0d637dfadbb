// SPDX-License-Identifier: GPL-3.0-or-later
// The real millisecond clock and sleep, shared by the SDL platform and the
// layer before InitMedia.
#include <time.h>

#include <cerrno>

#include "media/platform/platform.h"

namespace media_detail {

uint32_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Truncation to 32 bits is the clock's wrap; callers subtract in 32 bits.
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void SleepRealMs(uint32_t ms) {
    timespec remaining{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    if (ms == 0) {
        remaining.tv_nsec = 0;
    }
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

}  // namespace media_detail
