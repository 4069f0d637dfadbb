// SPDX-License-Identifier: GPL-3.0-or-later
// Every scene with music: it starts on the scene's first frame, stops when
// the window loses the focus and starts again from tick 3000 (not where it
// stopped) when the focus returns. Heard through the headless mixer with a
// soundfont whose program 0 sounds only on the left and program 1 only on
// the right.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "media/audio_test_files.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "scenes/ending.h"
#include "scenes/scene_fixture.h"
#include "scenes/select_seen.h"
#include "scenes/title.h"

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kHeard = 200;
// Division 96 at 120 beats a minute: 22050 frames a quarter note, so music
// tick 3000 is file tick 375 and file tick 380 comes 1148 frames after it.
constexpr long kRightOnset = 1148;
constexpr long kOnsetSlack = 120;
// Frames a released note of the test soundfont takes to fall silent.
constexpr int kReleaseFrames = 4410;

class MusicRuleTest : public SceneTest {
protected:
    void SetUp() override {
        soundFont = (std::filesystem::temp_directory_path() / ("veltrim_music_rule_" + std::to_string(::getpid()) + ".sf2")).string();
        audio_test::WriteTestSoundFont(soundFont);
        ::setenv("VELTRIM_SOUNDFONT", soundFont.c_str(), 1);
        SceneTest::SetUp();
        // Left before the restart point only; right just after it.
        audio_test::MidiTrack track;
        track.CleanChannel(0, 0, 0);
        track.CleanChannel(0, 1, 1);
        track.NoteOn(0, 0, 69);
        track.NoteOff(370, 0, 69);
        track.NoteOn(380, 1, 69);
        track.NoteOff(480, 1, 69);
        const auto piece = audio_test::MakeMidi(0, 96, {track.Finish(480)});
        for (const char* name : {"title.mid", "select.mid", "credit.mid"}) test_pictures::WriteFile(name, piece);
    }
    void TearDown() override {
        SceneTest::TearDown();
        ::unsetenv("VELTRIM_SOUNDFONT");
        std::filesystem::remove(soundFont);
    }

    static std::vector<int16_t> Listen(int frames) {
        std::vector<int16_t> out(static_cast<std::size_t>(frames) * 2);
        EXPECT_TRUE(headless::RenderAudio(out.data(), frames));
        return out;
    }
    static long FirstAbove(const std::vector<int16_t>& audio, int channel) {
        for (std::size_t f = 0; 2 * f + 1 < audio.size(); ++f) {
            if (std::abs(audio[2 * f + channel]) > kHeard) return static_cast<long>(f);
        }
        return -1;
    }

    // The piece must be heard from tick 3000: the right note after its short
    // lead, never the left note that lies before that point.
    static void ExpectPlayingFromTick3000(const char* when) {
        const std::vector<int16_t> heard = Listen(4000);
        const long onset = FirstAbove(heard, kRight);
        EXPECT_GE(onset, kRightOnset) << when;
        EXPECT_LE(onset, kRightOnset + kOnsetSlack) << when;
        EXPECT_EQ(FirstAbove(heard, kLeft), -1) << when;
    }

    void ExpectMusicFollowsTheFocus(CSeen& scene) {
        EXPECT_EQ(FirstAbove(Listen(2000), kRight), -1) << "before the first frame";
        Frame(scene);
        ExpectPlayingFromTick3000("first frame");
        headless::SetWindowActive(false);
        Frame(scene);
        // The stopped note dies away within its release; nothing follows.
        Listen(kReleaseFrames);
        const std::vector<int16_t> quiet = Listen(44100);
        EXPECT_EQ(FirstAbove(quiet, kRight), -1) << "inactive";
        EXPECT_EQ(FirstAbove(quiet, kLeft), -1) << "inactive";
        Frame(scene);
        headless::SetWindowActive(true);
        Frame(scene);
        ExpectPlayingFromTick3000("focus back");
    }

    std::string soundFont;
};

TEST_F(MusicRuleTest, Title) {
    SaveData::Instance(3);
    Title title;
    ExpectMusicFollowsTheFocus(title);
}

TEST_F(MusicRuleTest, Ending) {
    Ending ending;
    ExpectMusicFollowsTheFocus(ending);
}

TEST_F(MusicRuleTest, SelectSeen) {
    StageFileImage image;
    for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) image.board.Set(c, 5, CELL_FLOOR);
    image.characters = {{5, 5}};
    test_pictures::WriteFile(StageFilePath(1), EncodeStageFile(image));
    SaveData::Instance(1)->mode = 2;
    SelectSeen select;
    ExpectMusicFollowsTheFocus(select);
}

TEST_F(MusicRuleTest, LeavingTheSceneStopsItsMusic) {
    {
        Ending ending;
        Frame(ending);
    }
    Listen(kReleaseFrames);
    EXPECT_EQ(FirstAbove(Listen(44100), kRight), -1);
}

}  // namespace
