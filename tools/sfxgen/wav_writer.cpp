// SPDX-License-Identifier: GPL-3.0-or-later
#include "sfxgen/wav_writer.h"

#include <fstream>

namespace sfx {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> WavBytes(const std::vector<int16_t>& samples, int sampleRate, int channels) {
    const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint16_t>(channels));
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate * 2 * channels));
    Put16(out, static_cast<uint16_t>(2 * channels));  // block align
    Put16(out, 16);  // bits per sample
    PutTag(out, "data");
    Put32(out, dataSize);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate, int channels) {
    std::vector<uint8_t> bytes = WavBytes(samples, sampleRate, channels);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace sfx
