// SPDX-License-Identifier: GPL-3.0-or-later
// The sequencer's timing, heard through a synthesizer that records on which
// rendered frame every event arrived.
#include <gtest/gtest.h>

#include <memory>

#include "audio_test_files.h"
#include "media/audio/music_sequencer.h"

using namespace audio_test;
using media_detail::MidiEvent;
using media_detail::MidiPiece;
using media_detail::MusicSequencer;

namespace {

struct Received {
    int64_t frame;
    uint8_t status;
    uint8_t key;
};

class RecordingSynth : public media_detail::MidiSynth {
public:
    void Send(const MidiEvent& e, std::span<const uint8_t>) override {
        received.push_back({rendered, e.status, e.data1});
    }
    void Render(float* out, int frames) override {
        std::fill(out, out + 2 * frames, 0.0f);
        rendered += frames;
    }
    void Reset() override { ++resets; }
    bool Sounding() const override { return false; }

    std::vector<Received> received;
    int64_t rendered = 0;
    int resets = 0;
};

std::shared_ptr<const MidiPiece> Parse(const Bytes& file) {
    auto piece = media_detail::ParseMidiFile(file);
    EXPECT_TRUE(piece);
    return std::make_shared<const MidiPiece>(std::move(*piece));
}

}  // namespace

class Sequencer : public ::testing::Test {
protected:
    void RenderFrames(int64_t frames, int block = 512) {
        std::vector<float> buffer(2 * block);
        while (frames > 0) {
            const int n = static_cast<int>(std::min<int64_t>(frames, block));
            sequencer.Render(synth, buffer.data(), n);
            frames -= n;
        }
    }
    std::vector<Received> NoteOns() const {
        std::vector<Received> out;
        for (const auto& r : synth.received)
            if ((r.status & 0xF0) == 0x90) out.push_back(r);
        return out;
    }

    RecordingSynth synth;
    MusicSequencer sequencer;
};

// Division 96: music tick 3000 is file tick 375, a quarter lasts 22050 frames.
TEST_F(Sequencer, StartTickIsConvertedToTheFilesDivision) {
    MidiTrack t;
    t.Event(100, {0xB0, 7, 90});  // before the start: applied
    t.NoteOn(360, 0, 50);  // before the start: skipped
    t.NoteOn(384, 0, 60);  // the first note after it
    t.NoteOff(400, 0, 50);
    t.NoteOff(480, 0, 60);
    sequencer.Start(Parse(MakeMidi(0, 96, {t.Finish(480)})), 3000, false, synth);

    ASSERT_FALSE(synth.received.empty());
    EXPECT_EQ(synth.received[0].status, 0xB0);
    EXPECT_EQ(synth.received[0].frame, 0);
    EXPECT_EQ(synth.resets, 1);
    RenderFrames(30000);
    const auto ons = NoteOns();
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].key, 60);
    // (384 - 375) ticks of 22050/96 frames, both ends rounded from the start of the piece.
    EXPECT_EQ(ons[0].frame, 88200 - 86133);
}

TEST_F(Sequencer, LoopingRestartsFromTheBeginningOnTheFrameThePieceEnds) {
    MidiTrack t;
    t.NoteOn(0, 0, 40);    // only heard from the second pass on
    t.NoteOff(96, 0, 40);
    t.NoteOn(288, 1, 70);  // held to the very end
    t.NoteOff(384, 1, 70);
    sequencer.Start(Parse(MakeMidi(0, 96, {t.Finish(384)})), 3000, true, synth);
    // First pass: 3000 music ticks = 375 file ticks; the end at 384 is 9 ticks on.
    const int64_t firstEnd = 88200 - 86133;
    const int64_t length = 88200;
    RenderFrames(firstEnd + 2 * length - 10, 441);

    const auto ons = NoteOns();
    ASSERT_EQ(ons.size(), 4u);
    EXPECT_EQ(ons[0].key, 40);
    EXPECT_EQ(ons[0].frame, firstEnd);
    EXPECT_EQ(ons[1].key, 70);
    EXPECT_EQ(ons[1].frame, firstEnd + 66150);
    EXPECT_EQ(ons[2].key, 40);
    EXPECT_EQ(ons[2].frame, firstEnd + length);
    // The held note is released on the same frame the next pass begins.
    bool releasedAtEnd = false;
    for (const auto& r : synth.received)
        if ((r.status & 0xF0) == 0x80 && r.key == 70 && r.frame == firstEnd + length) releasedAtEnd = true;
    EXPECT_TRUE(releasedAtEnd);
    EXPECT_TRUE(sequencer.Playing());
}

TEST_F(Sequencer, StopCutsTheSynthesizerAndEndsPlaying) {
    MidiTrack t;
    t.NoteOn(0, 0, 60);
    sequencer.Start(Parse(MakeMidi(0, 96, {t.Finish(960)})), 0, true, synth);
    RenderFrames(1000);
    sequencer.Stop(synth);
    EXPECT_FALSE(sequencer.Playing());
    EXPECT_EQ(synth.resets, 2);
    const size_t before = synth.received.size();
    RenderFrames(500000);
    EXPECT_EQ(synth.received.size(), before);
}

TEST_F(Sequencer, EmptyPieceNeitherLoopsForeverNorPlays) {
    MidiTrack t;
    sequencer.Start(Parse(MakeMidi(0, 96, {t.Finish(0)})), 0, true, synth);
    RenderFrames(1000);
    EXPECT_FALSE(sequencer.Playing());
}
