// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/midi_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/audio/audio_format.h"

namespace media_detail {
namespace {

constexpr uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 beats a minute
// Pieces longer than this (about 700 years) are taken as corrupt.
constexpr double kMaxPieceFrames = 1e15;

// Bounds-checked big-endian reading; every read fails rather than run past
// the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Position() const { return pos_; }
    size_t Left() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }

    bool Byte(uint8_t& out) {
        if (Left() < 1) return false;
        out = bytes_[pos_++];
        return true;
    }
    bool Big(int count, uint32_t& out) {
        if (Left() < static_cast<size_t>(count)) return false;
        out = 0;
        for (int i = 0; i < count; ++i) out = out << 8 | bytes_[pos_++];
        return true;
    }
    // Variable-length quantity: at most four bytes, seven bits each.
    bool Vlq(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = 0;
            if (!Byte(b)) return false;
            out = out << 7 | (b & 0x7F);
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
    bool Take(size_t count, std::span<const uint8_t>& out) {
        if (Left() < count) return false;
        out = bytes_.subspan(pos_, count);
        pos_ += count;
        return true;
    }
    bool Tag(const char* tag) {
        std::span<const uint8_t> t;
        return Take(4, t) && std::memcmp(t.data(), tag, 4) == 0;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

struct TempoChange {
    int64_t tick;
    uint32_t microsPerQuarter;
};

struct ParsedTracks {
    std::vector<MidiEvent> events;
    std::vector<TempoChange> tempo;
    std::vector<uint8_t> sysex;
    int64_t endTick = 0;
};

int DataBytesOf(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

bool ReadChannelMessage(ByteReader& in, uint8_t status, bool haveFirst, uint8_t first,
                        MidiEvent& event) {
    event.status = status;
    uint8_t data[2] = {0, 0};
    int index = 0;
    if (haveFirst) data[index++] = first;
    while (index < DataBytesOf(status)) {
        if (!in.Byte(data[index])) return false;
        ++index;
    }
    if ((data[0] | data[1]) & 0x80) return false;
    event.data1 = data[0];
    event.data2 = data[1];
    return true;
}

bool ReadMeta(ByteReader& in, int64_t tick, ParsedTracks& out, bool& trackEnded) {
    uint8_t type = 0;
    uint32_t length = 0;
    std::span<const uint8_t> body;
    if (!in.Byte(type) || !in.Vlq(length) || !in.Take(length, body)) return false;
    if (type == 0x2F) trackEnded = true;
    if (type == 0x51 && length >= 3) {
        const uint32_t micros = uint32_t{body[0]} << 16 | uint32_t{body[1]} << 8 | body[2];
        if (micros == 0) return false;
        out.tempo.push_back({tick, micros});
    }
    return true;
}

bool ReadSysex(ByteReader& in, uint8_t status, MidiEvent& event, ParsedTracks& out,
               bool& keep) {
    uint32_t length = 0;
    std::span<const uint8_t> body;
    if (!in.Vlq(length) || !in.Take(length, body)) return false;
    // F7 packets continue or escape earlier messages; the synthesizer only
    // takes complete F0 messages.
    keep = status == 0xF0;
    if (!keep) return true;
    if (!body.empty() && body.back() == 0xF7) body = body.first(body.size() - 1);
    event.status = 0xF0;
    event.sysexOffset = static_cast<uint32_t>(out.sysex.size());
    event.sysexLength = static_cast<uint32_t>(body.size());
    out.sysex.insert(out.sysex.end(), body.begin(), body.end());
    return true;
}

bool ReadTrack(std::span<const uint8_t> body, ParsedTracks& out) {
    ByteReader in(body);
    int64_t tick = 0;
    uint8_t running = 0;
    bool ended = false;
    while (!ended && !in.AtEnd()) {
        uint32_t delta = 0;
        uint8_t status = 0;
        if (!in.Vlq(delta) || !in.Byte(status)) return false;
        tick += delta;
        MidiEvent event;
        event.tick = tick;
        bool keep = true;
        if (status < 0x80) {  // running status: this byte is the first data byte
            if (running == 0 || !ReadChannelMessage(in, running, true, status, event)) return false;
        } else if (status < 0xF0) {
            running = status;
            if (!ReadChannelMessage(in, status, false, 0, event)) return false;
        } else if (status == 0xFF) {
            if (!ReadMeta(in, tick, out, ended)) return false;
            keep = false;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!ReadSysex(in, status, event, out, keep)) return false;
        } else {
            return false;  // system common and real-time messages do not belong in files
        }
        if (keep) out.events.push_back(event);
    }
    out.endTick = std::max(out.endTick, tick);
    return true;
}

// Fills the piece's tempo map from the (tick-ordered) tempo changes.
void BuildTempoMap(MidiPiece& piece, std::vector<TempoChange> changes) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    auto framesPerTick = [&](uint32_t micros) {
        return piece.ticksPerSecond > 0
                   ? double{kMixRate} / piece.ticksPerSecond
                   : micros * 1e-6 * kMixRate / piece.ticksPerQuarter;
    };
    piece.tempo.push_back({0, 0.0, framesPerTick(kDefaultMicrosPerQuarter)});
    if (piece.ticksPerSecond > 0) return;  // SMPTE time ignores tempo changes
    for (const TempoChange& change : changes) {
        const double frame = piece.FrameAtTick(static_cast<double>(change.tick));
        if (piece.tempo.back().tick == change.tick) piece.tempo.pop_back();
        piece.tempo.push_back({change.tick, frame, framesPerTick(change.microsPerQuarter)});
    }
}

}  // namespace

double MidiPiece::FrameAtTick(double tick) const {
    auto after = std::upper_bound(tempo.begin(), tempo.end(), tick,
                                  [](double t, const TempoPoint& p) { return t < p.tick; });
    const TempoPoint& p = after == tempo.begin() ? tempo.front() : *(after - 1);
    return p.frame + (tick - static_cast<double>(p.tick)) * p.framesPerTick;
}

double MidiPiece::FileTickOfMusicTime(int musicTick) const {
    const double quarters = static_cast<double>(std::max(musicTick, 0)) / kMusicTicksPerQuarter;
    if (ticksPerSecond > 0) return quarters * (kDefaultMicrosPerQuarter * 1e-6) * ticksPerSecond;
    return quarters * ticksPerQuarter;
}

std::optional<MidiPiece> ParseMidiFile(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    uint32_t headerLength = 0, format = 0, trackCount = 0, division = 0;
    if (!in.Tag("MThd") || !in.Big(4, headerLength) || headerLength < 6 ||
        headerLength > in.Left()) {
        return std::nullopt;
    }
    std::span<const uint8_t> header;
    in.Take(headerLength, header);
    ByteReader fields(header);
    fields.Big(2, format);
    fields.Big(2, trackCount);
    fields.Big(2, division);
    if (format > 2 || trackCount == 0 || division == 0) return std::nullopt;

    MidiPiece piece;
    if (division & 0x8000) {  // SMPTE: frames a second (negated) and ticks a frame
        const int frameCode = -static_cast<int8_t>(division >> 8);
        // 29 names NTSC drop-frame time: 30 frames a second slowed by 1000/1001.
        const double framesPerSecond = frameCode == 29 ? 30000.0 / 1001.0 : frameCode;
        piece.ticksPerSecond = framesPerSecond * static_cast<int>(division & 0xFF);
        if (frameCode <= 0 || piece.ticksPerSecond <= 0) return std::nullopt;
    } else {
        piece.ticksPerQuarter = static_cast<int>(division);
    }

    ParsedTracks tracks;
    uint32_t found = 0;
    while (found < trackCount) {
        uint32_t length = 0;
        std::span<const uint8_t> tag;
        std::span<const uint8_t> body;
        if (!in.Take(4, tag) || !in.Big(4, length) || !in.Take(length, body)) return std::nullopt;
        if (std::memcmp(tag.data(), "MTrk", 4) != 0) continue;  // unknown chunks are skipped
        if (!ReadTrack(body, tracks)) return std::nullopt;
        ++found;
    }

    BuildTempoMap(piece, std::move(tracks.tempo));
    piece.endTick = tracks.endTick;
    const double endFrame = piece.FrameAtTick(static_cast<double>(piece.endTick));
    if (!(endFrame < kMaxPieceFrames)) return std::nullopt;
    piece.endFrame = std::llround(endFrame);

    // Tracks were read one after another; equal times keep track order.
    std::stable_sort(tracks.events.begin(), tracks.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    for (MidiEvent& event : tracks.events)
        event.frame = std::llround(piece.FrameAtTick(static_cast<double>(event.tick)));
    piece.events = std::move(tracks.events);
    piece.sysex = std::move(tracks.sysex);
    return piece;
}

}  // namespace media_detail
