// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_test_files.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace audio_test {

void AppendLe16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void AppendLe32(Bytes& out, uint32_t v) {
    AppendLe16(out, v & 0xFFFF);
    AppendLe16(out, v >> 16);
}

namespace {

void AppendTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void AppendBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void AppendName(Bytes& out, const char* name, size_t width) {
    Bytes field(width, 0);
    std::memcpy(field.data(), name, std::min(std::strlen(name), width));
    AppendBytes(out, field);
}

void AppendVlq(Bytes& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = v & 0x7F;
        v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

Bytes List(const char* type, const Bytes& children) {
    Bytes body;
    AppendTag(body, type);
    AppendBytes(body, children);
    return Chunk("LIST", body);
}

}  // namespace

Bytes Chunk(const char* tag, const Bytes& body) {
    Bytes out;
    AppendTag(out, tag);
    AppendLe32(out, static_cast<uint32_t>(body.size()));
    AppendBytes(out, body);
    if (body.size() % 2 != 0) out.push_back(0);
    return out;
}

Bytes FormatFields(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits) {
    Bytes format;
    AppendLe16(format, tag);
    AppendLe16(format, channels);
    AppendLe32(format, rate);
    AppendLe32(format, rate * blockAlign);
    AppendLe16(format, blockAlign);
    AppendLe16(format, bits);
    return format;
}

Bytes MakeWaveWithFormat(const Bytes& format, const Bytes& data) {
    Bytes body;
    AppendTag(body, "WAVE");
    AppendBytes(body, Chunk("fmt ", format));
    AppendBytes(body, Chunk("data", data));
    return Chunk("RIFF", body);
}

Bytes MakeWave(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bitsPerSample,
               const Bytes& data) {
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    return MakeWaveWithFormat(FormatFields(formatTag, channels, rate, blockAlign, bitsPerSample), data);
}

Bytes MakePcm16Wave(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples) {
    Bytes data;
    for (int16_t s : samples) AppendLe16(data, static_cast<uint16_t>(s));
    return MakeWave(1, channels, rate, 16, data);
}

Bytes MakeConstantWave(int16_t value, int frames) {
    return MakePcm16Wave(2, 44100, std::vector<int16_t>(static_cast<size_t>(frames) * 2, value));
}

void MidiTrack::Event(uint32_t tick, std::initializer_list<uint8_t> bytes) {
    AppendVlq(bytes_, tick - last_);
    last_ = tick;
    bytes_.insert(bytes_.end(), bytes);
}

void MidiTrack::Tempo(uint32_t tick, uint32_t micros) {
    Event(tick, {0xFF, 0x51, 0x03, uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)});
}

void MidiTrack::CleanChannel(uint32_t tick, int channel, int program) {
    Event(tick, {uint8_t(0xC0 | channel), uint8_t(program)});
    Event(tick, {uint8_t(0xB0 | channel), 91, 0});
    Event(tick, {uint8_t(0xB0 | channel), 93, 0});
}

Bytes MidiTrack::Finish(uint32_t endTick) {
    Event(endTick, {0xFF, 0x2F, 0x00});
    Bytes chunk;
    AppendTag(chunk, "MTrk");
    for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(uint8_t(bytes_.size() >> shift));
    AppendBytes(chunk, bytes_);
    return chunk;
}

Bytes MakeMidi(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks) {
    Bytes out;
    AppendTag(out, "MThd");
    out.insert(out.end(), {0, 0, 0, 6, uint8_t(format >> 8), uint8_t(format),
                           uint8_t(tracks.size() >> 8), uint8_t(tracks.size()),
                           uint8_t(division >> 8), uint8_t(division)});
    for (const Bytes& track : tracks) AppendBytes(out, track);
    return out;
}

void WriteTestSoundFont(const std::string& path) {
    // 46 periods of a 100-sample sine; the 44 in the middle loop seamlessly.
    constexpr uint32_t kLength = 4600, kLoopStart = 100, kLoopEnd = 4500;
    Bytes samples;
    for (uint32_t i = 0; i < kLength; ++i)
        AppendLe16(samples, static_cast<uint16_t>(static_cast<int16_t>(
                                std::lround(16000 * std::sin(2 * M_PI * i / 100.0)))));
    for (int i = 0; i < 46; ++i) AppendLe16(samples, 0);  // the format's required tail

    Bytes info, ifil, isng = {'E', 'M', 'U', '8', '0', '0', '0', 0}, inam = {'T', 'o', 'n', 'e', 0, 0};
    AppendLe16(ifil, 2);
    AppendLe16(ifil, 1);
    AppendBytes(info, Chunk("ifil", ifil));
    AppendBytes(info, Chunk("isng", isng));
    AppendBytes(info, Chunk("INAM", inam));

    Bytes phdr, pbag, pmod(10, 0), pgen, inst, ibag, imod(10, 0), igen, shdr;
    const char* names[] = {"Left", "Right"};
    for (uint16_t p = 0; p < 2; ++p) {
        AppendName(phdr, names[p], 20);
        AppendLe16(phdr, p);      // preset number
        AppendLe16(phdr, 0);      // bank
        AppendLe16(phdr, p);      // first zone
        AppendLe32(phdr, 0);
        AppendLe32(phdr, 0);
        AppendLe32(phdr, 0);
        AppendLe16(pbag, p);      // one generator per preset zone
        AppendLe16(pbag, 0);
        AppendLe16(pgen, 41);     // instrument
        AppendLe16(pgen, p);
        AppendName(inst, names[p], 20);
        AppendLe16(inst, p);
        AppendLe16(ibag, p * 3);  // three generators per instrument zone
        AppendLe16(ibag, 0);
        AppendLe16(igen, 17);     // pan: fully left or fully right
        AppendLe16(igen, static_cast<uint16_t>(p == 0 ? -500 : 500));
        AppendLe16(igen, 54);     // sample mode: loop
        AppendLe16(igen, 1);
        AppendLe16(igen, 53);     // sample 0
        AppendLe16(igen, 0);
    }
    // Terminal records: their zone and generator indexes close the lists.
    AppendName(phdr, "EOP", 20);
    AppendLe16(phdr, 0);
    AppendLe16(phdr, 0);
    AppendLe16(phdr, 2);
    phdr.resize(phdr.size() + 12, 0);
    AppendLe16(pbag, 2);
    AppendLe16(pbag, 0);
    pgen.resize(pgen.size() + 4, 0);
    AppendName(inst, "EOI", 20);
    AppendLe16(inst, 2);
    AppendLe16(ibag, 6);
    AppendLe16(ibag, 0);
    igen.resize(igen.size() + 4, 0);

    AppendName(shdr, "Sine", 20);
    AppendLe32(shdr, 0);
    AppendLe32(shdr, kLength);
    AppendLe32(shdr, kLoopStart);
    AppendLe32(shdr, kLoopEnd);
    AppendLe32(shdr, 44100);
    shdr.push_back(69);  // original pitch
    shdr.push_back(0);
    AppendLe16(shdr, 0);
    AppendLe16(shdr, 1);  // mono
    AppendName(shdr, "EOS", 20);
    shdr.resize(shdr.size() + 26, 0);

    Bytes pdta;
    for (auto [tag, body] : {std::pair{"phdr", &phdr}, {"pbag", &pbag}, {"pmod", &pmod},
                             {"pgen", &pgen}, {"inst", &inst}, {"ibag", &ibag},
                             {"imod", &imod}, {"igen", &igen}, {"shdr", &shdr}})
        AppendBytes(pdta, Chunk(tag, *body));

    Bytes body;
    AppendTag(body, "sfbk");
    AppendBytes(body, List("INFO", info));
    AppendBytes(body, List("sdta", Chunk("smpl", samples)));
    AppendBytes(body, List("pdta", pdta));
    WriteFile(path, Chunk("RIFF", body));
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string TestFolder(const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::path(VELTRIM_BINARY_DIR) / "test_files" / "audio" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

}  // namespace audio_test
