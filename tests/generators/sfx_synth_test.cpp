// SPDX-License-Identifier: GPL-3.0-or-later
// The sound-effect synthesiser: its parameter files, the length and shape of
// what it renders, and the wave files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "sfxgen/sfx_params.h"
#include "sfxgen/sfx_synth.h"
#include "sfxgen/wav_writer.h"

namespace {

class EffectTest : public ::testing::Test {
protected:
    sfx::Effect Parse(const std::string& text) {
        std::string error;
        auto effect = sfx::ParseEffect(text, error);
        EXPECT_TRUE(effect.has_value()) << error;
        return effect.value_or(sfx::Effect{});
    }

    std::string ErrorOf(const std::string& text) {
        std::string error;
        EXPECT_FALSE(sfx::ParseEffect(text, error).has_value());
        return error;
    }

    static float Peak(const std::vector<float>& s, size_t from, size_t to) {
        float peak = 0;
        for (size_t i = from; i < std::min(to, s.size()); ++i) peak = std::max(peak, std::fabs(s[i]));
        return peak;
    }
};

TEST_F(EffectTest, KeysFillTheVoicesInOrder) {
    auto effect = Parse(
        "# two voices\n"
        "wave = saw\nfrequency = 220   # low\nvolume = 0.25\n"
        "[voice]\nwave = noise\nstart = 0.1\nseed = 9\n"
        "gain = 0.5\n");
    ASSERT_EQ(effect.voices.size(), 2u);
    EXPECT_EQ(effect.voices[0].wave, sfx::Wave::Saw);
    EXPECT_DOUBLE_EQ(effect.voices[0].frequency, 220);
    EXPECT_DOUBLE_EQ(effect.voices[0].volume, 0.25);
    EXPECT_EQ(effect.voices[1].wave, sfx::Wave::Noise);
    EXPECT_DOUBLE_EQ(effect.voices[1].start, 0.1);
    EXPECT_EQ(effect.voices[1].seed, 9u);
    EXPECT_DOUBLE_EQ(effect.gain, 0.5);
}

TEST_F(EffectTest, AVoiceHeaderFirstDoesNotLeaveAnEmptyVoice) {
    EXPECT_EQ(Parse("[voice]\nwave = sine\n[voice]\nwave = saw\n").voices.size(), 2u);
}

TEST_F(EffectTest, BadLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(ErrorOf("wave = square\nloudness = 3\n"), "line 2: unknown key 'loudness'");
    EXPECT_EQ(ErrorOf("wave = organ\n"), "line 1: unknown wave 'organ'");
    EXPECT_EQ(ErrorOf("\n\nvolume = 2\n"), "line 3: volume out of range");
    EXPECT_EQ(ErrorOf("decay = soon\n"), "line 1: 'soon' is not a number");
    EXPECT_EQ(ErrorOf("just words\n"), "line 1: expected key = value");
}

TEST_F(EffectTest, LengthIsTheEnvelopeOfTheLatestVoice) {
    auto effect = Parse("attack = 0.01\nsustain = 0.1\ndecay = 0.09\n[voice]\nstart = 0.15\nattack = 0.01\nsustain = 0.1\ndecay = 0.1\n");
    auto samples = sfx::Render(effect);
    EXPECT_EQ(samples.size(), static_cast<size_t>(0.36 * sfx::kSampleRate));
}

TEST_F(EffectTest, StartsAndEndsInSilence) {
    // A loud square wave with no attack would otherwise jump straight to full scale.
    auto samples = sfx::Render(Parse("wave = square\nattack = 0\nsustain = 0.2\ndecay = 0\nvolume = 1\n"));
    ASSERT_GT(samples.size(), 1000u);
    EXPECT_EQ(samples.front(), 0.0f);
    EXPECT_LT(std::fabs(samples.back()), 0.01f);
    EXPECT_LT(Peak(samples, 0, 20), 0.25f);
    EXPECT_GT(Peak(samples, 1000, 2000), 0.9f);
}

TEST_F(EffectTest, VoiceStartsLate) {
    auto samples = sfx::Render(Parse("[voice]\nstart = 0.1\nwave = sine\nattack = 0\nsustain = 0.1\ndecay = 0\n"));
    EXPECT_EQ(Peak(samples, 0, 4400), 0.0f);
    EXPECT_GT(Peak(samples, 4500, 8000), 0.4f);
}

TEST_F(EffectTest, PitchFollowsFrequencyAndSlide) {
    auto crossings = [](const std::vector<float>& s, size_t from, size_t to) {
        int n = 0;
        for (size_t i = from + 1; i < to; ++i) n += (s[i - 1] < 0) != (s[i] < 0);
        return n;
    };
    auto steady = sfx::Render(Parse("wave = sine\nfrequency = 441\nattack = 0\nsustain = 1\ndecay = 0\n"));
    EXPECT_NEAR(crossings(steady, 4410, 8820), 2 * 44, 2);  // 0.1 s of 441 Hz
    auto rising = sfx::Render(Parse("wave = sine\nfrequency = 441\nslide = 1\nattack = 0\nsustain = 1\ndecay = 0\n"));
    // After 1 s at one octave a second the pitch has doubled.
    EXPECT_GT(crossings(rising, 40000, 44000), crossings(rising, 1000, 5000) * 3 / 2);
}

TEST_F(EffectTest, NoiseIsRepeatableFromItsSeed) {
    auto a = sfx::Render(Parse("wave = noise\nseed = 4\n"));
    auto b = sfx::Render(Parse("wave = noise\nseed = 4\n"));
    auto c = sfx::Render(Parse("wave = noise\nseed = 5\n"));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(PcmTest, ConversionClipsAndKeepsSign) {
    auto pcm = sfx::ToPcm16({0.0f, 0.5f, -0.5f, 3.0f, -3.0f});
    EXPECT_EQ(pcm[0], 0);
    EXPECT_GT(pcm[1], 10000);
    EXPECT_EQ(pcm[2], -pcm[1]);
    EXPECT_EQ(pcm[3], 32767);
    EXPECT_EQ(pcm[4], -32767);
}

TEST(WavTest, HeaderDescribesMono16BitPcm) {
    auto bytes = sfx::WavBytes({1, -2, 300}, 44100);
    ASSERT_EQ(bytes.size(), 44u + 6u);
    auto u32 = [&](size_t at) { return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (bytes[at + 3] << 24); };
    auto u16 = [&](size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 42);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1);      // PCM
    EXPECT_EQ(u16(22), 1);      // mono
    EXPECT_EQ(u32(24), 44100);
    EXPECT_EQ(u32(28), 88200);  // bytes per second
    EXPECT_EQ(u16(34), 16);
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    EXPECT_EQ(u32(40), 6);
    EXPECT_EQ(static_cast<int16_t>(u16(46)), -2);
}

}  // namespace

namespace {

TEST(EffectEdgeTest, ATinySoundStillStartsFromSilence) {
    sfx::Effect effect;
    effect.voices.emplace_back();
    effect.voices[0].attack = 0;
    effect.voices[0].sustain = 0.00005;  // two samples
    effect.voices[0].decay = 0;
    effect.voices[0].wave = sfx::Wave::Square;
    auto samples = sfx::Render(effect);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.front(), 0.0f);
}

TEST(EffectEdgeTest, ASlideBeyondHearingEndsTheVoiceInsteadOfOverflowing) {
    std::string error;
    auto effect = sfx::ParseEffect("frequency = 20000\nslide = 100\nsustain = 10\n", error);
    ASSERT_TRUE(effect.has_value()) << error;
    auto samples = sfx::Render(*effect);
    for (float s : samples) ASSERT_TRUE(std::isfinite(s));
    auto pcm = sfx::ToPcm16(samples);
    EXPECT_EQ(pcm.size(), samples.size());
}

}  // namespace
