// Audio start-up placeholder until the mixer lands: the game runs silently.
#include "media/media.h"
#include "media/media_internal.h"

namespace media_detail {

bool AudioInit() { return false; }
void AudioShutdown() {}

}  // namespace media_detail

// Music settings the game makes at start-up; the mixer gives them effect.
int SetMidiMode(int) { return 0; }
int SetMusicVolume(int) { return 0; }
