// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/sound.h"

#include <algorithm>

namespace media_detail {

Sound::Sound(std::shared_ptr<const std::vector<int16_t>> data, int bufferCount)
    : samples(std::move(data)),
      buffers(static_cast<size_t>(std::clamp(bufferCount, 1, kMaxSoundBuffers))),
      lastBuffer(static_cast<int>(buffers.size()) - 1) {}

int Sound::StartPlay(bool looping, bool fromStart) {
    const size_t resumeAt = buffers[static_cast<size_t>(lastBuffer)].position;
    const int index = (lastBuffer + 1) % static_cast<int>(buffers.size());
    lastBuffer = index;
    SoundBuffer& buffer = buffers[static_cast<size_t>(index)];
    if (buffer.playing && !fromStart) return -1;

    buffer.position = fromStart ? 0 : std::min(resumeAt, Frames());
    buffer.looping = looping;
    buffer.playing = buffer.position < Frames() || (looping && Frames() > 0);
    if (buffer.position >= Frames()) buffer.position = 0;
    return index;
}

void Sound::MixInto(std::span<float> accumulator) {
    const size_t frames = Frames();
    const size_t wanted = accumulator.size() / 2;
    const int16_t* source = samples->data();
    for (SoundBuffer& buffer : buffers) {
        size_t done = 0;
        while (buffer.playing && done < wanted) {
            const size_t run = std::min(wanted - done, frames - buffer.position);
            const int16_t* from = source + buffer.position * 2;
            float* to = accumulator.data() + done * 2;
            for (size_t i = 0; i < run * 2; ++i) to[i] += from[i];
            done += run;
            buffer.position += run;
            if (buffer.position >= frames) {
                buffer.position = 0;
                buffer.playing = buffer.looping;
            }
        }
    }
}

}  // namespace media_detail
