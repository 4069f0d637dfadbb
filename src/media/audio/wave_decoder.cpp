// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/wave_decoder.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "media/audio/audio_format.h"

namespace media_detail {
namespace {

uint32_t ReadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

bool IsTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// SDL's loader reads its rules from hints; ours are: the RIFF size is the
// file's boundary (already checked to fit), and a truncated file is an error.
void SetStrictWaveRules() {
    SDL_SetHint(SDL_HINT_WAVE_RIFF_CHUNK_SIZE, "force");
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");
    SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "ignore");
}

struct SdlFree {
    void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};

std::optional<std::vector<int16_t>> ConvertToMixFormat(const SDL_AudioSpec& waveFormat,
                                                       const Uint8* data, Uint32 length) {
    const int bytesPerFrame = SDL_AUDIO_BITSIZE(waveFormat.format) / 8 * waveFormat.channels;
    // SDL's resampler overflows on absurd rates; no real sound uses them.
    if (bytesPerFrame <= 0 || waveFormat.freq < kMinSoundRate || waveFormat.freq > kMaxSoundRate) return std::nullopt;
    const int64_t inFrames = length / bytesPerFrame;
    // A very low sample rate would make conversion multiply the data: bound
    // the result before converting.
    const int64_t outFrames = inFrames * kMixRate / waveFormat.freq + 1;
    constexpr int64_t kOutFrameBytes = kMixChannels * sizeof(int16_t);
    if (outFrames > static_cast<int64_t>(kMaxDecodedSoundBytes) / kOutFrameBytes) return std::nullopt;
    if (inFrames == 0) return std::vector<int16_t>{};

    SDL_AudioCVT cvt{};
    if (SDL_BuildAudioCVT(&cvt, waveFormat.format, waveFormat.channels, waveFormat.freq, AUDIO_S16SYS,
                          kMixChannels, kMixRate) < 0) {
        return std::nullopt;
    }
    // The converter counts its room in an int.
    if (inFrames * bytesPerFrame * std::max(cvt.len_mult, 1) > std::numeric_limits<int>::max()) return std::nullopt;
    const int inBytes = static_cast<int>(inFrames * bytesPerFrame);
    // The converter works in place and needs len_mult times the input room.
    std::vector<Uint8> work(static_cast<size_t>(inBytes) * static_cast<size_t>(std::max(cvt.len_mult, 1)));
    std::memcpy(work.data(), data, static_cast<size_t>(inBytes));
    cvt.buf = work.data();
    cvt.len = inBytes;
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
    const int outBytes = cvt.needed ? cvt.len_cvt : inBytes;
    std::vector<int16_t> samples(static_cast<size_t>(outBytes) / (sizeof(int16_t) * kMixChannels) * kMixChannels);
    if (!samples.empty()) std::memcpy(samples.data(), work.data(), samples.size() * sizeof(int16_t));
    return samples;
}

}  // namespace

bool HasWaveLayout(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !IsTag(bytes.data(), "RIFF") || !IsTag(bytes.data() + 8, "WAVE")) {
        return false;
    }
    const uint64_t riffSize = ReadLe32(bytes.data() + 4);
    if (riffSize < 4 || riffSize > bytes.size() - 8) return false;

    const uint64_t end = 8 + riffSize;
    uint64_t pos = 12;
    bool haveFormat = false;
    bool haveData = false;
    while (pos + 8 <= end) {
        const uint8_t* header = bytes.data() + pos;
        const uint64_t size = ReadLe32(header + 4);
        if (size > end - pos - 8) return false;
        if (IsTag(header, "fmt ")) haveFormat = haveFormat || size >= 16;
        if (IsTag(header, "data")) haveData = true;
        pos += 8 + size + (size & 1);  // chunks are padded to even sizes
    }
    return haveFormat && haveData;
}

std::optional<std::vector<int16_t>> DecodeWave(std::span<const uint8_t> bytes) {
    if (!HasWaveLayout(bytes)) return std::nullopt;
    SetStrictWaveRules();

    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr) return std::nullopt;
    SDL_AudioSpec waveFormat{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(source, 1, &waveFormat, &raw, &length) == nullptr) return std::nullopt;
    std::unique_ptr<Uint8, SdlFree> data(raw);
    return ConvertToMixFormat(waveFormat, data.get(), length);
}

}  // namespace media_detail
