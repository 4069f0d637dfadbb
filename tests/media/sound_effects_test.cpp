// SPDX-License-Identifier: GPL-3.0-or-later
// Sound effects through the media layer, listened to sample by sample.
#include <gtest/gtest.h>

#include "audio_api_fixture.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/media_internal.h"

using namespace audio_test;

class SoundEffects : public AudioLayerTest {
protected:
    // A second of one constant value on both channels.
    int LoadConstant(const std::string& name, int16_t value, int buffers, int frames = 44100) {
        return LoadSound(Put(name, MakeConstantWave(value, frames)).c_str(), buffers, -1);
    }
    // Appends the next frames' left channel to `heard`.
    void Listen(std::vector<int16_t>& heard, int frames) {
        const auto block = Render(frames);
        for (size_t i = 0; i < block.size(); i += 2) heard.push_back(block[i]);
    }
};

TEST_F(SoundEffects, FourQuickPlaysOfAThreeBufferSoundCutOffOnlyTheFirst) {
    const int sound = LoadConstant("step.wav", 1000, 3);
    ASSERT_GE(sound, 0);
    std::vector<int16_t> heard;
    for (int play = 0; play < 4; ++play) {
        ASSERT_EQ(PlaySound(sound, 1, 1), 0);
        Listen(heard, 4410);  // 100 ms apart
    }
    Listen(heard, 60000 - 4 * 4410);

    // Buffer 1 plays from 0 and again from the fourth play at 13230; buffers
    // 2 and 3 play their whole second from 4410 and 8820.
    auto expected = [](int f) {
        int voices = 0;
        if (f < 13230) ++voices;
        if (f >= 13230 && f < 13230 + 44100) ++voices;
        if (f >= 4410 && f < 4410 + 44100) ++voices;
        if (f >= 8820 && f < 8820 + 44100) ++voices;
        return 1000 * voices;
    };
    ASSERT_EQ(heard.size(), 60000u);
    for (int f = 0; f < 60000; ++f) {
        ASSERT_EQ(heard[static_cast<size_t>(f)], expected(f)) << "frame " << f;
    }
}

TEST_F(SoundEffects, PlayWithoutFromStartLeavesASoundingBufferAlone) {
    const int sound = LoadConstant("hum.wav", 700, 1);
    ASSERT_EQ(PlaySound(sound, 1, 1), 0);
    std::vector<int16_t> heard;
    Listen(heard, 20000);
    EXPECT_EQ(PlaySound(sound, 1, 0), 0);
    Listen(heard, 30000);
    EXPECT_EQ(heard[44099], 700);
    EXPECT_EQ(heard[44100], 0);  // not restarted: it ends one second after its start
}

TEST_F(SoundEffects, RepeatingPlayGoesOnUntilReplacedByAPlayFromTheStart) {
    const int sound = LoadConstant("loop.wav", 300, 1, 1000);
    ASSERT_EQ(PlaySound(sound, 3, 1), 0);
    std::vector<int16_t> heard;
    Listen(heard, 5000);
    EXPECT_EQ(Peak(Render(1), 0, 0, 1), 300);
    EXPECT_EQ(*std::min_element(heard.begin(), heard.end()), 300);
    ASSERT_EQ(PlaySound(sound, 1, 1), 0);  // the same buffer, once this time
    heard.clear();
    Listen(heard, 2000);
    EXPECT_EQ(heard[999], 300);
    EXPECT_EQ(heard[1000], 0);
}

TEST_F(SoundEffects, SecondPlaySoundFileStopsTheFirst) {
    const std::string first = Put("clear.wav", MakeConstantWave(1000, 44100));
    const std::string second = Put("ok.wav", MakeConstantWave(400, 44100));
    ASSERT_EQ(PlaySoundFile(first.c_str(), 1), 0);
    std::vector<int16_t> heard;
    Listen(heard, 1000);
    ASSERT_EQ(PlaySoundFile(second.c_str(), 1), 0);
    Listen(heard, 1000);
    EXPECT_EQ(heard[999], 1000);
    EXPECT_EQ(heard[1000], 400);
    EXPECT_EQ(heard[1999], 400);
}

TEST_F(SoundEffects, WaitingPlayReturnsWhenTheSoundHasEnded) {
    const std::string path = Put("ok.wav", MakeConstantWave(500, 22050));  // 500 ms
    const uint32_t before = headless::Clock();
    ASSERT_EQ(PlaySoundFile(path.c_str(), 0), 0);
    const uint32_t waited = headless::Clock() - before;
    EXPECT_GE(waited, 500u);
    EXPECT_LE(waited, 502u);
    EXPECT_EQ(Peak(Render(100), 0, 0, 100), 0);
}

TEST_F(SoundEffects, WaitingPlayReturnsAtOnceWhenTheWindowIsClosed) {
    const std::string path = Put("cansel.wav", MakeConstantWave(500, 44100));
    // The close box is clicked while the sound plays.
    headless::SetInputScript([](int, headless::FrameInput& input) { input.closeWindow = true; });
    const uint32_t before = headless::Clock();
    ASSERT_EQ(PlaySoundFile(path.c_str(), 0), 0);
    EXPECT_LE(headless::Clock() - before, 2u);
    EXPECT_EQ(PumpMessages(), -1);
}

TEST_F(SoundEffects, BufferCountIsClampedToOneToTen) {
    const int many = LoadConstant("many.wav", 100, 25);
    for (int i = 0; i < 11; ++i) ASSERT_EQ(PlaySound(many, 1, 1), 0);
    EXPECT_EQ(Peak(Render(10), 0, 0, 10), 1000);  // ten at once; the eleventh cut the first
    const int none = LoadConstant("none.wav", 100, 0);
    ASSERT_EQ(PlaySound(none, 1, 1), 0);
    ASSERT_EQ(PlaySound(none, 1, 1), 0);
    EXPECT_EQ(Peak(Render(10), 0, 0, 10), 1100);
}

TEST_F(SoundEffects, MalformedOrMissingFilesFailCleanly) {
    EXPECT_EQ(LoadSound(Put("text.wav", {'h', 'e', 'l', 'l', 'o'}).c_str(), 3, -1), -1);
    Bytes lying = MakeConstantWave(1, 100);
    lying[40] = 0xFF;  // the data chunk claims far more than the file holds
    lying[43] = 0x7F;
    EXPECT_EQ(LoadSound(Put("lying.wav", lying).c_str(), 3, -1), -1);
    EXPECT_EQ(LoadSound((folder_ + "/absent.wav").c_str(), 3, -1), -1);
    EXPECT_EQ(LoadSound(folder_.c_str(), 3, -1), -1);  // a folder
    EXPECT_EQ(LoadSound(nullptr, 3, -1), -1);
    EXPECT_EQ(PlaySoundFile((folder_ + "/absent.wav").c_str(), 1), -1);
    EXPECT_EQ(PlaySound(-1, 1, 1), -1);
    EXPECT_EQ(PlaySound(0x7FFFFFFF, 1, 1), -1);
}

TEST_F(SoundEffects, MidiModeChangeFreesEverySound) {
    const int sound = LoadConstant("a.wav", 100, 1);
    ASSERT_EQ(PlaySound(sound, 3, 1), 0);
    EXPECT_EQ(SetMidiMode(1), 0);  // already in force: nothing happens
    EXPECT_EQ(PlaySound(sound, 1, 1), 0);
    EXPECT_EQ(SetMidiMode(0), 0);
    EXPECT_EQ(PlaySound(sound, 1, 1), -1);
    EXPECT_EQ(Peak(Render(100), 0, 0, 100), 0);
}

TEST_F(SoundEffects, ALongSoundFileLoadsAndPlays) {
    const int sound = LoadConstant("long.wav", 400, 1, 120 * 44100);  // 2 minutes, 21 MB
    ASSERT_GE(sound, 0);
    ASSERT_EQ(PlaySound(sound, 1, 1), 0);
    EXPECT_EQ(Peak(Render(441), 0, 0, 441), 400);
}

TEST_F(SoundEffects, WithoutAudioNothingPlaysButGoodSoundsStillLoad) {
    const int sound = LoadConstant("a.wav", 100, 1);
    Put("broken.wav", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
    media_detail::AudioShutdown();  // as when no device could be opened
    int16_t frame[2];
    EXPECT_FALSE(headless::RenderAudio(frame, 1));
    // A good file still gives a handle, so no load failure is reported for it;
    // a missing or broken one fails as always.
    const int unheard = LoadSound((folder_ + "/a.wav").c_str(), 1, -1);
    EXPECT_GE(unheard, 0);
    EXPECT_EQ(LoadSound((folder_ + "/broken.wav").c_str(), 1, -1), -1);
    EXPECT_EQ(LoadSound((folder_ + "/missing.wav").c_str(), 1, -1), -1);
    EXPECT_EQ(PlaySound(unheard, 0, 1), -1);  // returns at once: nothing waits
    EXPECT_EQ(PlaySound(sound, 1, 1), -1);
    EXPECT_EQ(PlaySoundFile((folder_ + "/a.wav").c_str(), 1), -1);
    EXPECT_EQ(LoadMusic((folder_ + "/a.mid").c_str()), -1);
    EXPECT_EQ(PlayMusic(0, 1, 0), -1);
    EXPECT_EQ(StopMusic(0), -1);
    EXPECT_EQ(DeleteMusic(0), -1);
    EXPECT_EQ(SetMidiMode(0), -1);
    EXPECT_EQ(SetMusicVolume(240), -1);
}
