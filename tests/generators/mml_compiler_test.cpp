// SPDX-License-Identifier: GPL-3.0-or-later
// The score compiler: timing of notes, rests, chords, ties and repeats, its
// error reports, and the Standard MIDI File it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mml2mid/midi_writer.h"
#include "mml2mid/mml_parser.h"

namespace {

using mml::Event;
using mml::Song;

constexpr uint32_t Q = mml::kTicksPerQuarter;

struct Note {
    uint32_t on;
    uint32_t off;
    int key;
    int velocity;
};

class ScoreTest : public ::testing::Test {
protected:
    Song Compile(const std::string& score) {
        std::string error;
        auto song = mml::CompileScore(score, error);
        EXPECT_TRUE(song.has_value()) << error;
        return song.value_or(Song{});
    }

    std::string ErrorOf(const std::string& score) {
        std::string error;
        auto song = mml::CompileScore(score, error);
        EXPECT_FALSE(song.has_value());
        return error;
    }

    // Pairs the note-on and note-off events of a track into notes, in order.
    static std::vector<Note> Notes(const mml::Track& track) {
        std::vector<Event> events = track.events;
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<Note> notes;
        for (const Event& e : events) {
            if ((e.bytes[0] & 0xF0) == 0x90)
                notes.push_back({e.tick, 0, e.bytes[1], e.bytes[2]});
            else if ((e.bytes[0] & 0xF0) == 0x80)
                for (Note& n : notes)
                    if (n.key == e.bytes[1] && n.off == 0) {
                        n.off = e.tick;
                        break;
                    }
        }
        return notes;
    }
};

TEST_F(ScoreTest, NotesFollowLengthOctaveAndGate) {
    Song song = Compile("A o4 q8 c4 d8 e8. f16 > c2 <<b1");
    ASSERT_EQ(song.tracks.size(), 1u);
    auto notes = Notes(song.tracks[0]);
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[0].key, 60);
    EXPECT_EQ(notes[0].on, 0u);
    EXPECT_EQ(notes[0].off, Q);
    EXPECT_EQ(notes[1].on, Q);
    EXPECT_EQ(notes[2].off - notes[2].on, Q * 3 / 4);  // dotted eighth
    EXPECT_EQ(notes[3].on, Q * 9 / 4);
    EXPECT_EQ(notes[4].key, 72);
    EXPECT_EQ(notes[5].key, 59);  // two octaves down from C5: B3
    EXPECT_EQ(song.length, Q * 17 / 2);
}

TEST_F(ScoreTest, GateShortensEachNoteButNotItsStep) {
    auto notes = Notes(Compile("A q4 c4 c4").tracks[0]);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].off, Q / 2);
    EXPECT_EQ(notes[1].on, Q);
}

TEST_F(ScoreTest, AccidentalsTransposeAndMidiNumbers) {
    auto notes = Notes(Compile("A o4 c+ d- k12 e k0 n36,8 n38").tracks[0]);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0].key, 61);
    EXPECT_EQ(notes[1].key, 61);
    EXPECT_EQ(notes[2].key, 76);
    EXPECT_EQ(notes[3].key, 36);
    EXPECT_EQ(notes[3].off - notes[3].on, Q / 2 * 7 / 8);
    EXPECT_EQ(notes[4].on, Q * 3 + Q / 2);
}

TEST_F(ScoreTest, ChordNotesSoundTogetherAndKeepTheOctave) {
    Song song = Compile("A o4 'c e > g'2 c4");
    auto notes = Notes(song.tracks[0]);
    ASSERT_EQ(notes.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(notes[i].on, 0u);
    EXPECT_EQ(notes[2].key, 79);
    EXPECT_EQ(notes[3].on, Q * 2);
    EXPECT_EQ(notes[3].key, 60);  // the '>' inside the chord did not leak out
}

TEST_F(ScoreTest, TieJoinsNotesOfTheSamePitchOnly) {
    auto tied = Notes(Compile("A q8 c4 & c4 d4").tracks[0]);
    ASSERT_EQ(tied.size(), 2u);
    EXPECT_EQ(tied[0].off, Q * 2);
    auto untied = Notes(Compile("A q8 c4 & d4").tracks[0]);
    EXPECT_EQ(untied.size(), 2u);
    auto caret = Notes(Compile("A q8 c4^8").tracks[0]);
    EXPECT_EQ(caret[0].off, Q * 3 / 2);
}

TEST_F(ScoreTest, RepeatsAndTheirEarlyExit) {
    auto notes = Notes(Compile("A o4 [c d : e]3").tracks[0]);
    std::vector<int> keys;
    for (const Note& n : notes) keys.push_back(n.key);
    EXPECT_EQ(keys, (std::vector<int>{60, 62, 64, 60, 62, 64, 60, 62}));
    auto nested = Notes(Compile("A [[c]2 d]2").tracks[0]);
    EXPECT_EQ(nested.size(), 6u);
}

TEST_F(ScoreTest, MacrosExpandAnywhereAndMayBeDefinedLater) {
    Song song = Compile("A $riff4 $riff\n$riff = o5 c");
    auto notes = Notes(song.tracks[0]);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].key, 72);
    EXPECT_EQ(notes[0].off, Q * 7 / 8);
}

TEST_F(ScoreTest, TracksTakeTheirChannelFromTheirLetterAndContinueAcrossLines) {
    Song song = Compile("A c4\nJ n36\nA d4");
    ASSERT_EQ(song.tracks.size(), 2u);
    EXPECT_EQ(song.tracks[0].channel, 0);
    EXPECT_EQ(song.tracks[1].channel, 9);
    EXPECT_EQ(song.tracks[0].length, Q * 2);
    EXPECT_EQ(song.length, Q * 2);
}

TEST_F(ScoreTest, ControllersProgramAndTempo) {
    Song song = Compile("A t96 @73 @v100 p20 y91,60 c");
    const auto& events = song.tracks[0].events;
    auto has = [&](std::vector<uint8_t> bytes) {
        return std::any_of(events.begin(), events.end(), [&](const Event& e) { return e.bytes == bytes; });
    };
    EXPECT_TRUE(has({0xC0, 73}));
    EXPECT_TRUE(has({0xB0, 7, 100}));
    EXPECT_TRUE(has({0xB0, 10, 20}));
    EXPECT_TRUE(has({0xB0, 91, 60}));
    // 96 quarters a minute: 625000 microseconds each.
    EXPECT_TRUE(std::any_of(song.conductor.begin(), song.conductor.end(), [](const Event& e) {
        return e.bytes == std::vector<uint8_t>{0xFF, 0x51, 0x03, 0x09, 0x89, 0x68};
    }));
    EXPECT_NEAR(mml::SecondsAt(song, Q * 96), 60.0, 1e-9);
}

TEST_F(ScoreTest, ErrorsNameTheLine) {
    EXPECT_EQ(ErrorOf("A c4\nA c4 x"), "line 2: unexpected 'x'");
    EXPECT_NE(ErrorOf("A c4 |").find("bar line at tick 768"), std::string::npos);
    EXPECT_NE(ErrorOf("A [c").find("'[' without ']'"), std::string::npos);
    EXPECT_NE(ErrorOf("A c]").find("']' without '['"), std::string::npos);
    EXPECT_NE(ErrorOf("A $nothing").find("unknown macro"), std::string::npos);
    EXPECT_NE(ErrorOf("$a = $b\n$b = $a\nA $a").find("nested too deeply"), std::string::npos);
    EXPECT_NE(ErrorOf("A c8 c7").find("length 7 not allowed"), std::string::npos);
    EXPECT_NE(ErrorOf("A v200").find("out of range"), std::string::npos);
    EXPECT_NE(ErrorOf("A o9 b+").find("MIDI range"), std::string::npos);
    EXPECT_NE(ErrorOf("Q c").find("track letter"), std::string::npos);
    EXPECT_NE(ErrorOf("# nothing here").find("no tracks"), std::string::npos);
}

TEST_F(ScoreTest, RunawayRepeatsAreRefused) {
    EXPECT_NE(ErrorOf("A [[[[c]999]999]999]999").find("too long"), std::string::npos);
}

class SmfTest : public ScoreTest {
protected:
    static uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
        return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
    }
};

TEST_F(SmfTest, HeaderAndChunksAreWellFormed) {
    auto bytes = mml::SmfBytes(Compile("A c1\nB r2 d4"));
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
    EXPECT_EQ(Be32(bytes, 4), 6u);
    EXPECT_EQ(bytes[9], 1);            // format 1
    EXPECT_EQ(bytes[11], 3);           // conductor and two tracks
    EXPECT_EQ((bytes[12] << 8) | bytes[13], 768);
    size_t at = 14;
    int chunks = 0;
    while (at < bytes.size()) {
        ASSERT_EQ(std::string(bytes.begin() + at, bytes.begin() + at + 4), "MTrk");
        uint32_t length = Be32(bytes, at + 4);
        at += 8 + length;
        ASSERT_LE(at, bytes.size());
        // Every chunk closes with End of Track.
        EXPECT_EQ(bytes[at - 3], 0xFF);
        EXPECT_EQ(bytes[at - 2], 0x2F);
        EXPECT_EQ(bytes[at - 1], 0x00);
        ++chunks;
    }
    EXPECT_EQ(chunks, 3);
}

TEST_F(SmfTest, EveryTrackEndsAtTheEndOfThePiece) {
    // Track B's notes stop early; its End of Track still falls on tick 3072,
    // so the piece repeats after a whole bar, not when the shorter track ends.
    auto bytes = mml::SmfBytes(Compile("A c1\nB c4"));
    size_t at = 14;
    for (int chunk = 0; chunk < 3; ++chunk) {
        uint32_t length = Be32(bytes, at + 4);
        size_t p = at + 8, end = p + length;
        uint32_t tick = 0;
        while (p < end) {
            uint32_t delta = 0;
            do delta = (delta << 7) | (bytes[p] & 0x7F);
            while (bytes[p++] & 0x80);
            tick += delta;
            if (bytes[p] == 0xFF) {
                uint8_t type = bytes[p + 1];
                p += 3 + bytes[p + 2];
                if (type == 0x2F) {
                    EXPECT_EQ(tick, 4 * Q);
                }
            } else {
                p += ((bytes[p] & 0xF0) == 0xC0) ? 2 : 3;
            }
        }
        at = end;
    }
}

TEST_F(SmfTest, LongDeltasUseSeveralBytes) {
    // A rest of 16 whole notes gives a delta of 49152, written in three bytes.
    auto bytes = mml::SmfBytes(Compile("A r1r1r1r1r1r1r1r1r1r1r1r1r1r1r1r1 c"));
    std::vector<uint8_t> expected = {0x83, 0x80, 0x00, 0x90, 60};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), expected.begin(), expected.end()), bytes.end());
}

}  // namespace
