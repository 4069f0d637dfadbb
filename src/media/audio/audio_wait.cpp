// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/audio_wait.h"

#include <algorithm>
#include <vector>

#include "media/audio/audio_format.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "media/platform/platform.h"

namespace media_detail {

void WaitWhileSounding(const std::function<bool(AudioSystem&)>& sounding) {
    Platform* platform = CurrentPlatform();
    if (platform == nullptr) return;
    const bool offline = IsHeadless();
    const uint32_t begin = static_cast<uint32_t>(GetTimeMs());
    int64_t waitedMs = 0;
    int64_t renderedFrames = 0;
    std::vector<int16_t> discard;
    for (;;) {
        AudioSystem* audio = ActiveAudio();
        if (audio == nullptr) return;
        {
            std::lock_guard guard(audio->lock);
            if (!sounding(*audio)) return;
        }
        platform->SleepMs(1);
        if (offline) {
            // Each turn counts as at least the millisecond slept, so the wait
            // ends even if the clock stands still.
            const int64_t clockMs = static_cast<uint32_t>(GetTimeMs()) - begin;
            waitedMs = std::max(waitedMs + 1, clockMs);
            const int64_t due = waitedMs * kMixRate / 1000 - renderedFrames;
            discard.resize(static_cast<size_t>(due) * kMixChannels);
            audio->Render(discard.data(), static_cast<int>(due));
            renderedFrames += due;
        }
        if (PumpMessages() != 0) return;
    }
}

}  // namespace media_detail
