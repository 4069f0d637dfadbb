// SPDX-License-Identifier: GPL-3.0-or-later
#include "mml2mid/midi_writer.h"

#include <algorithm>
#include <fstream>

namespace mml {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t buffer[5];
    int n = 0;
    buffer[n++] = v & 0x7F;
    while (v >>= 7) buffer[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n) out.push_back(buffer[--n]);
}

std::vector<uint8_t> TrackChunk(std::vector<Event> events, uint32_t end) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const Event& e : events) {
        PutVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    PutVarLen(body, end - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    Put32(chunk, static_cast<uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

std::vector<uint8_t> SmfBytes(const Song& song) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    auto count = static_cast<uint16_t>(song.tracks.size() + 1);
    out.push_back(static_cast<uint8_t>(count >> 8));
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(static_cast<uint8_t>(kTicksPerQuarter >> 8));
    out.push_back(static_cast<uint8_t>(kTicksPerQuarter & 0xFF));
    auto conductor = TrackChunk(song.conductor, song.length);
    out.insert(out.end(), conductor.begin(), conductor.end());
    for (const Track& t : song.tracks) {
        auto chunk = TrackChunk(t.events, song.length);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

bool WriteSmf(const std::string& path, const Song& song) {
    std::vector<uint8_t> bytes = SmfBytes(song);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace mml
