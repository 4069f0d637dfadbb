// Audio start-up placeholder until the mixer lands: the game runs silently.
#include "media/media_internal.h"

namespace media_detail {

bool AudioInit() { return false; }
void AudioShutdown() {}

}  // namespace media_detail
