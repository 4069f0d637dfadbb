// SPDX-License-Identifier: GPL-3.0-or-later
// Standard MIDI File reading: timing in frames, track merging, and files
// that lie.
#include <gtest/gtest.h>

#include "audio_test_files.h"
#include "media/audio/midi_file.h"

using namespace audio_test;
using media_detail::ParseMidiFile;

namespace {

// 120 beats a minute: a quarter note lasts 22050 frames.
constexpr int64_t kQuarter = 22050;

}  // namespace

TEST(MidiFile, EventsAreTimedInFramesByDivisionAndTempo) {
    MidiTrack t;
    t.NoteOn(480, 0, 60);
    t.Tempo(960, 250000);  // twice as fast from beat 2
    t.NoteOff(1920, 0, 60);
    const auto piece = ParseMidiFile(MakeMidi(0, 480, {t.Finish(1920)}));
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->ticksPerQuarter, 480);
    ASSERT_EQ(piece->events.size(), 2u);
    EXPECT_EQ(piece->events[0].frame, kQuarter);
    EXPECT_EQ(piece->events[1].frame, 2 * kQuarter + kQuarter);  // two fast beats = one slow
    EXPECT_EQ(piece->endTick, 1920);
    EXPECT_EQ(piece->endFrame, 3 * kQuarter);
}

TEST(MidiFile, TracksAreMergedInTimeOrderKeepingTrackOrderOnTies) {
    MidiTrack a, b;
    a.NoteOn(100, 0, 60);
    a.NoteOn(300, 0, 62);
    b.NoteOn(100, 1, 70);
    b.NoteOn(200, 1, 71);
    const auto piece = ParseMidiFile(MakeMidi(1, 96, {a.Finish(300), b.Finish(400)}));
    ASSERT_TRUE(piece);
    std::vector<int> keys;
    for (const auto& e : piece->events) keys.push_back(e.data1);
    EXPECT_EQ(keys, (std::vector<int>{60, 70, 71, 62}));
    EXPECT_EQ(piece->endTick, 400);
}

TEST(MidiFile, RunningStatusAndSysexAreRead) {
    MidiTrack t;
    t.Event(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});  // GM system on
    t.Event(10, {0x90, 60, 100});
    t.Event(20, {62, 100});  // running status
    const auto piece = ParseMidiFile(MakeMidi(0, 96, {t.Finish(30)}));
    ASSERT_TRUE(piece);
    ASSERT_EQ(piece->events.size(), 3u);
    EXPECT_EQ(piece->events[0].status, 0xF0);
    EXPECT_EQ(piece->events[0].sysexLength, 4u);  // the closing F7 is not part of the body
    EXPECT_EQ(piece->sysex[0], 0x7E);
    EXPECT_EQ(piece->events[2].status, 0x90);
    EXPECT_EQ(piece->events[2].data1, 62);
}

TEST(MidiFile, SmpteDivisionCountsTicksPerSecond) {
    MidiTrack t;
    t.NoteOn(500, 0, 60);  // 25 frames x 40 ticks: 1000 ticks a second
    const auto piece = ParseMidiFile(MakeMidi(0, static_cast<uint16_t>((256 - 25) << 8 | 40), {t.Finish(1000)}));
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->ticksPerSecond, 1000);
    EXPECT_EQ(piece->events[0].frame, 22050);
    EXPECT_EQ(piece->endFrame, 44100);
}

TEST(MidiFile, SmpteDropFrameRunsAtNtscRate) {
    MidiTrack t;
    t.NoteOn(3000, 0, 60);  // 30 frames of 100 ticks: 1.001 s at 29.97 frames a second
    const auto piece = ParseMidiFile(MakeMidi(0, static_cast<uint16_t>((256 - 29) << 8 | 100), {t.Finish(3000)}));
    ASSERT_TRUE(piece);
    EXPECT_NEAR(piece->ticksPerSecond, 2997.003, 0.001);
    EXPECT_NEAR(static_cast<double>(piece->events[0].frame), 44144.1, 1.0);
}

class MalformedMidi : public ::testing::Test {
protected:
    static Bytes Track(std::initializer_list<uint8_t> body) {
        Bytes out = {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(body.size())};
        out.insert(out.end(), body);
        return out;
    }
};

TEST_F(MalformedMidi, NotAMidiFileFails) {
    EXPECT_FALSE(ParseMidiFile(Bytes{}));
    EXPECT_FALSE(ParseMidiFile(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}));
    EXPECT_FALSE(ParseMidiFile(Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}));
}

TEST_F(MalformedMidi, ZeroDivisionOrUnknownFormatFails) {
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 0, {Track({0, 0xFF, 0x2F, 0})})));
    EXPECT_FALSE(ParseMidiFile(MakeMidi(3, 96, {Track({0, 0xFF, 0x2F, 0})})));
}

TEST_F(MalformedMidi, TrackLongerThanFileFails) {
    Bytes file = MakeMidi(0, 96, {Track({0, 0xFF, 0x2F, 0})});
    file[14 + 7] = 200;  // the track's length byte
    EXPECT_FALSE(ParseMidiFile(file));
}

TEST_F(MalformedMidi, FewerTracksThanTheHeaderCountsFails) {
    Bytes file = MakeMidi(1, 96, {Track({0, 0xFF, 0x2F, 0})});
    file[11] = 2;
    EXPECT_FALSE(ParseMidiFile(file));
}

TEST_F(MalformedMidi, BrokenEventsFail) {
    // Running status with nothing to run on.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 60, 100})})));
    // A data byte with the top bit set.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 0x90, 60, 0x80})})));
    // A delta time longer than four bytes.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 1, 1})})));
    // A message cut off by the end of the track.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 0x90, 60})})));
    // A meta event longer than the track.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 0xFF, 0x01, 0x40, 'a'})})));
    // A tempo of zero.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 0xFF, 0x51, 3, 0, 0, 0})})));
    // A real-time message inside a file.
    EXPECT_FALSE(ParseMidiFile(MakeMidi(0, 96, {Track({0, 0xF8})})));
}
