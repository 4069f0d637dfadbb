// SPDX-License-Identifier: GPL-3.0-or-later
// Music through the media layer, with the tests' soundfont: program 0 sounds
// on the left channel only, program 1 on the right only. The synthesizer
// starts notes on its own 64-frame blocks, so onsets may come up to 64
// frames after their exact frame.
#include <gtest/gtest.h>

#include <cmath>

#include "audio_api_fixture.h"
#include "media/headless.h"
#include "media/audio/music_volume.h"
#include "media/media.h"

using namespace audio_test;

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kBlock = 64;
// A note starts on the block after its event and rises over about a millisecond.
constexpr long kOnsetSlack = kBlock + 50;
constexpr int kHeard = 200;  // a level well above rounding noise, well below the tone
// Division 96 at 120 beats a minute: 22050 frames a quarter note, and music
// tick 3000 is file tick 375, frame 86133 of the piece.
constexpr long kQuarter = 22050;
constexpr long kTick3000 = 86133;

// Channel 0 left, channel 1 right, neither with reverb or chorus.
MidiTrack CleanTrack() {
    MidiTrack t;
    t.CleanChannel(0, 0, 0);
    t.CleanChannel(0, 1, 1);
    return t;
}

}  // namespace

class Music : public AudioLayerTest {
protected:
    int LoadPiece(const std::string& name, MidiTrack track, uint32_t endTick, uint16_t division = 96) {
        return LoadMusic(Put(name, MakeMidi(0, division, {track.Finish(endTick)})).c_str());
    }
};

TEST_F(Music, StartAtTick3000BeginsAtTheRightEventOfAFileWithAnotherDivision) {
    MidiTrack t = CleanTrack();
    t.NoteOn(360, 0, 69);  // sounds before the start point and over it: not heard
    t.NoteOn(384, 1, 69);  // the first note after the start point
    t.NoteOff(400, 0, 69);
    t.NoteOff(480, 1, 69);
    const int piece = LoadPiece("stage1.mid", t, 480);
    ASSERT_GE(piece, 0);
    ASSERT_EQ(PlayMusic(piece, 1, 3000), 0);
    const auto heard = Render(30000);
    const long onset = 4 * kQuarter - kTick3000;  // 2067
    const long first = FirstAbove(heard, kRight, kHeard);
    EXPECT_GE(first, onset);
    EXPECT_LE(first, onset + kOnsetSlack);
    EXPECT_EQ(Peak(heard, kRight, 0, static_cast<size_t>(onset)), 0);
    EXPECT_EQ(Peak(heard, kLeft, 0, heard.size() / 2), 0);
}

TEST_F(Music, LoopingPieceRestartsFromItsBeginningWithoutAGap) {
    MidiTrack t = CleanTrack();
    t.NoteOn(0, 0, 69);     // the beginning: only heard when the piece repeats
    t.NoteOff(96, 0, 69);
    t.NoteOn(288, 1, 69);   // held to the very end
    t.NoteOff(384, 1, 69);
    const int piece = LoadPiece("title.mid", t, 384);
    ASSERT_EQ(PlayMusic(piece, 3, 3000), 0);
    const long firstEnd = 4 * kQuarter - kTick3000;
    const long length = 4 * kQuarter;
    const auto heard = Render(static_cast<int>(firstEnd + 2 * length + 2 * kQuarter));

    for (int pass = 0; pass < 3; ++pass) {
        const long start = firstEnd + pass * length;
        const long left = FirstAbove(heard, kLeft, kHeard, static_cast<size_t>(start - kBlock));
        EXPECT_GE(left, start) << "pass " << pass;
        EXPECT_LE(left, start + kOnsetSlack) << "pass " << pass;
        // The beginning's note lasts its quarter, then the left is quiet.
        EXPECT_GT(Peak(heard, kLeft, start + kQuarter - 500, start + kQuarter - 200), 1000);
        EXPECT_EQ(Peak(heard, kLeft, start + kQuarter + 2000, start + 3 * kQuarter), 0);
        if (pass < 2) {
            // The held note sounds right up to the end of the pass.
            EXPECT_GT(Peak(heard, kRight, start + length - 300, start + length), 1000);
        }
    }
}

TEST_F(Music, PlayingAPieceStopsTheOneBefore) {
    MidiTrack a = CleanTrack();
    a.NoteOn(0, 1, 69);
    a.NoteOff(960, 1, 69);
    MidiTrack b = CleanTrack();
    b.NoteOn(96, 0, 69);
    b.NoteOff(192, 0, 69);
    const int title = LoadPiece("title.mid", a, 960);
    const int select = LoadPiece("select.mid", b, 192);
    ASSERT_EQ(PlayMusic(title, 3, 0), 0);
    EXPECT_GT(Peak(Render(kQuarter), kRight, 1000, kQuarter), 1000);
    ASSERT_EQ(PlayMusic(select, 3, 0), 0);
    const auto heard = Render(2 * kQuarter);
    const long left = FirstAbove(heard, kLeft, kHeard);
    EXPECT_GE(left, kQuarter);
    EXPECT_LE(left, kQuarter + kOnsetSlack);
    // Silence on the right, but for the synthesizer's one-block pan glide
    // when a voice is reused.
    EXPECT_EQ(Peak(heard, kRight, kBlock, kQuarter), 0);
    EXPECT_EQ(Peak(heard, kRight, static_cast<size_t>(left) + 2 * kBlock, 2 * kQuarter), 0);
}

TEST_F(Music, StopAndDeleteSilenceThePiece) {
    MidiTrack t = CleanTrack();
    t.NoteOn(0, 0, 69);
    t.NoteOff(960, 0, 69);
    const int piece = LoadPiece("credit.mid", t, 960);
    ASSERT_EQ(PlayMusic(piece, 3, 3000), 0);
    ASSERT_EQ(StopMusic(piece), 0);
    EXPECT_EQ(Peak(Render(kQuarter), kLeft, kBlock, kQuarter), 0);
    ASSERT_EQ(PlayMusic(piece, 3, 0), 0);
    EXPECT_GT(Peak(Render(kQuarter), kLeft, 1000, kQuarter), 1000);
    ASSERT_EQ(DeleteMusic(piece), 0);
    EXPECT_EQ(Peak(Render(kQuarter), kLeft, kBlock, kQuarter), 0);
    EXPECT_EQ(PlayMusic(piece, 3, 0), -1);
    EXPECT_EQ(StopMusic(piece), -1);
    EXPECT_EQ(DeleteMusic(piece), -1);
}

TEST_F(Music, VolumeFollowsTheDecibelFormulaAndLeavesSoundEffectsAlone) {
    MidiTrack t = CleanTrack();
    t.NoteOn(0, 0, 69);  // a steady 441 Hz tone: 100 frames a period
    t.NoteOff(960, 0, 69);
    const int piece = LoadPiece("stage1.mid", t, 960);
    ASSERT_EQ(PlayMusic(piece, 1, 0), 0);
    Render(4410);  // past the attack
    // Loudness of 44 whole periods at each setting.
    auto rms = [&](int volume) {
        EXPECT_EQ(SetMusicVolume(volume), 0);
        const auto heard = Render(4400);
        double sum = 0;
        for (size_t f = 0; f < 4400; ++f) sum += static_cast<double>(heard[2 * f]) * heard[2 * f];
        return std::sqrt(sum / 4400);
    };
    const double full = rms(255);
    const double lowered = rms(240);
    const double restored = rms(255);
    const double silent = rms(0);
    EXPECT_GT(full, 1000.0);
    EXPECT_NEAR(lowered / full, std::pow(10.0, -625 / 2000.0), 0.002);  // -6.25 dB
    EXPECT_NEAR(restored / full, 1.0, 0.001);
    EXPECT_EQ(silent, 0.0);

    SetMusicVolume(240);
    const int effect = LoadSound(Put("brock.wav", MakeConstantWave(1000, 1000)).c_str(), 3, -1);
    StopMusic(piece);
    Render(kBlock);
    ASSERT_EQ(PlaySound(effect, 1, 1), 0);
    const auto heard = Render(500);
    EXPECT_EQ(heard[2 * 100], 1000);
    EXPECT_EQ(heard[2 * 499 + 1], 1000);
}

TEST_F(Music, WaitingPlayReturnsWhenThePieceHasEnded) {
    MidiTrack t = CleanTrack();
    t.NoteOn(0, 0, 69);
    t.NoteOff(96, 0, 69);
    const int piece = LoadPiece("jingle.mid", t, 192);  // one second
    const uint32_t before = headless::Clock();
    ASSERT_EQ(PlayMusic(piece, 0, 0), 0);
    const uint32_t waited = headless::Clock() - before;
    EXPECT_GE(waited, 1000u);
    EXPECT_LE(waited, 1002u);
}

TEST_F(Music, MalformedOrMissingFilesFailCleanly) {
    EXPECT_EQ(LoadMusic(Put("text.mid", {'M', 'T', 'h', 'd', 0, 0}).c_str()), -1);
    Bytes lying = MakeMidi(0, 96, {CleanTrack().Finish(10)});
    lying[21] = 0xF0;  // the track claims more bytes than the file holds
    EXPECT_EQ(LoadMusic(Put("lying.mid", lying).c_str()), -1);
    EXPECT_EQ(LoadMusic(Put("wave.mid", MakeConstantWave(0, 10)).c_str()), -1);
    EXPECT_EQ(LoadMusic((folder_ + "/absent.mid").c_str()), -1);
    EXPECT_EQ(PlayMusic(-1, 3, 3000), -1);
    EXPECT_EQ(StopMusic(-1), -1);
    EXPECT_EQ(DeleteMusic(-1), -1);
}

TEST_F(Music, MissingSoundFontMeansSilentMusicNotAFailedStart) {
    EndMedia();
    setenv("VELTRIM_SOUNDFONT", (folder_ + "/absent.sf2").c_str(), 1);
    headless::UseHeadlessPlatform();
    ASSERT_EQ(InitMedia(), 0);
    ASSERT_EQ(SetMidiMode(1), 0);
    MidiTrack t = CleanTrack();
    t.NoteOn(0, 0, 69);
    const int piece = LoadPiece("title.mid", t, 960);
    ASSERT_GE(piece, 0);
    EXPECT_EQ(PlayMusic(piece, 3, 3000), 0);
    EXPECT_EQ(Peak(Render(kQuarter), kLeft, 0, kQuarter), 0);
}

TEST(MusicVolume, LevelsInHundredthsOfADecibel) {
    using media_detail::GainOfLevel;
    using media_detail::MusicLevelForVolume;
    EXPECT_EQ(MusicLevelForVolume(255, 0), 0);
    EXPECT_EQ(MusicLevelForVolume(255, -300), -300);  // the initial level, exactly
    EXPECT_EQ(MusicLevelForVolume(240, 0), -625);
    EXPECT_EQ(MusicLevelForVolume(128, 0), -5000);
    EXPECT_EQ(MusicLevelForVolume(1, 0), -9961);      // truncated toward zero
    EXPECT_EQ(MusicLevelForVolume(0, 0), -10000);
    EXPECT_EQ(GainOfLevel(0), 1.0f);
    EXPECT_EQ(GainOfLevel(-10000), 0.0f);
    EXPECT_NEAR(GainOfLevel(-2000), 0.1f, 1e-6f);
}
