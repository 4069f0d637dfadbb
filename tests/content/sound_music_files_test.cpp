// SPDX-License-Identifier: GPL-3.0-or-later
// The sound effects and pieces of music in the game folder, read as files:
// wave format, lengths, clean starts and ends; MIDI layout, playing time and
// what sounds where the game starts each piece.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game_folder.h"

namespace content_test {
namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

struct Wave {
    int channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

// Walks the RIFF chunks; fails the test on anything but 16-bit PCM.
Wave ReadWave(const std::string& name) {
    Wave w;
    auto b = ReadAll(GameFolder() / name);
    EXPECT_GE(b.size(), 44u);
    if (b.size() < 44) return w;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
    for (size_t at = 12; at + 8 <= b.size();) {
        std::string id(b.begin() + at, b.begin() + at + 4);
        uint32_t size = Le32(b, at + 4);
        if (id == "fmt ") {
            EXPECT_EQ(Le16(b, at + 8), 1);  // PCM
            w.channels = Le16(b, at + 10);
            w.rate = static_cast<int>(Le32(b, at + 12));
            w.bits = Le16(b, at + 22);
        } else if (id == "data") {
            EXPECT_LE(at + 8 + size, b.size());
            for (size_t i = at + 8; i + 1 < at + 8 + size && i + 1 < b.size(); i += 2)
                w.samples.push_back(static_cast<int16_t>(Le16(b, i)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

const char* const kSounds[] = {"move1.wav", "move2.wav", "ok.wav",   "cansel.wav", "footstep.wav", "footstep2.wav",
                               "warp.wav",  "brock.wav", "arrow.wav", "erase.wav", "clear.wav", "undo.wav"};

TEST(SoundFilesTest, EveryEffectIsShortClean16BitPcm) {
    for (const char* name : kSounds) {
        SCOPED_TRACE(name);
        Wave w = ReadWave(name);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 44100);
        ASSERT_GT(w.samples.size(), 1000u);
        EXPECT_LT(w.Seconds(), 1.5);
        // No click: the sound rises from silence and falls back to it.
        EXPECT_LT(std::abs(w.samples.front()), 200);
        EXPECT_LT(std::abs(w.samples.back()), 200);
        int peak = 0;
        for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 4000);  // clearly audible
    }
}

TEST(SoundFilesTest, MenuSoundsThatHoldTheGameAreBrief) {
    EXPECT_LT(ReadWave("ok.wav").Seconds(), 0.4);
    EXPECT_LT(ReadWave("cansel.wav").Seconds(), 0.4);
}

struct Piece {
    int format = -1, division = 0;
    uint32_t endTick = 0;
    double seconds = 0;
    std::vector<uint32_t> noteOns;  // ticks
    std::map<int, int> programs;    // channel -> program
    int unmatched = 0;              // note-ons never turned off
};

// A small reader of the MIDI files, enough to time them.
Piece ReadPiece(const std::string& name) {
    Piece p;
    auto b = ReadAll(GameFolder() / name);
    EXPECT_GE(b.size(), 14u);
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd") {
        ADD_FAILURE() << "not a MIDI file";
        return p;
    }
    p.format = (b[8] << 8) | b[9];
    p.division = (b[12] << 8) | b[13];
    std::vector<std::pair<uint32_t, uint32_t>> tempos;
    for (size_t at = 14; at + 8 <= b.size();) {
        uint32_t size = Be32(b, at + 4);
        size_t pos = at + 8, end = std::min(b.size(), pos + size);
        uint32_t tick = 0;
        uint8_t status = 0;
        std::map<int, int> held;
        while (pos < end) {
            uint32_t delta = 0;
            do delta = (delta << 7) | (b[pos] & 0x7F);
            while (b[pos++] & 0x80 && pos < end);
            tick += delta;
            if (b[pos] & 0x80) status = b[pos++];
            if (status == 0xFF) {
                uint8_t type = b[pos];
                uint8_t len = b[pos + 1];
                if (type == 0x51) tempos.emplace_back(tick, (b[pos + 2] << 16) | (b[pos + 3] << 8) | b[pos + 4]);
                if (type == 0x2F) p.endTick = std::max(p.endTick, tick);
                pos += 2 + len;
                continue;
            }
            uint8_t kind = status & 0xF0, channel = status & 0x0F;
            if (kind == 0xC0 || kind == 0xD0) {
                if (kind == 0xC0) p.programs[channel] = b[pos];
                pos += 1;
                continue;
            }
            uint8_t key = b[pos], velocity = b[pos + 1];
            pos += 2;
            int id = channel * 128 + key;
            if (kind == 0x90 && velocity > 0) {
                p.noteOns.push_back(tick);
                ++held[id];
            } else if (kind == 0x80 || kind == 0x90) {
                --held[id];
            }
        }
        for (auto& [id, n] : held) p.unmatched += std::max(n, 0);
        at = end;
    }
    // Playing time, following the tempo changes.
    uint32_t at = 0, us = 500000;
    std::sort(tempos.begin(), tempos.end());
    for (auto [t, u] : tempos) {
        p.seconds += static_cast<double>(t - at) * us / p.division / 1e6;
        at = t;
        us = u;
    }
    p.seconds += static_cast<double>(p.endTick - at) * us / p.division / 1e6;
    return p;
}

TEST(MusicFilesTest, EveryPieceLastsLongEnoughAndIsWellFormed) {
    for (const char* name : {"title.mid", "select.mid", "stage1.mid", "credit.mid"}) {
        SCOPED_TRACE(name);
        Piece p = ReadPiece(name);
        EXPECT_EQ(p.format, 1);
        EXPECT_EQ(p.division, 768);
        EXPECT_GE(p.seconds, 45.0);
        EXPECT_EQ(p.unmatched, 0);
        EXPECT_GE(p.programs.size(), 3u);  // several instruments
        EXPECT_GT(p.noteOns.size(), 200u);
        // The game starts each piece at tick 3000: notes must begin within
        // the next beat, so there is no silence at the start of a scene.
        int soon = 0;
        for (uint32_t t : p.noteOns) soon += t >= 3000 && t < 3000 + 768;
        EXPECT_GE(soon, 3);
        // Each repeat begins with a lead-in bar before that point.
        int leadIn = 0;
        for (uint32_t t : p.noteOns) leadIn += t < 3000;
        EXPECT_GT(leadIn, 0);
    }
}

TEST(MusicFilesTest, StagePieceIsTheLongestForItsManyRepeats) {
    double stage = ReadPiece("stage1.mid").seconds;
    for (const char* name : {"title.mid", "select.mid", "credit.mid"}) EXPECT_GT(stage, ReadPiece(name).seconds) << name;
    EXPECT_GE(stage, 70.0);
}

class WindowIconTest : public GameFolderTest {};

TEST_F(WindowIconTest, IconIsA32PixelPngWithSeeThroughCorners) {
    auto bytes = ReadAll(GameFolder() / "icon.png");
    ASSERT_FALSE(bytes.empty());
    int icon = CreateImageFromMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, 0, 1, 0);
    ASSERT_NE(icon, -1);
    EXPECT_EQ(SizeOf(icon), std::make_pair(32, 32));
    auto shown = Visible(icon, 0, 0, 32, 32);
    EXPECT_FALSE(shown[0]);
    EXPECT_TRUE(shown[16 * 32 + 16]);
    EXPECT_GT(Count(shown), 800);
}

}  // namespace
}  // namespace content_test
