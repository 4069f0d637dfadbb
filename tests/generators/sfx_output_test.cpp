// SPDX-License-Identifier: GPL-3.0-or-later
// What the effect generator puts out beyond its shape: no energy folded back
// from above half the sample rate, no offset from zero, and every shipped
// effect's level.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "sfxgen/sfx_params.h"
#include "sfxgen/sfx_synth.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Amplitude of the component at `hertz` (Goertzel over a Hann window).
double Amplitude(const std::vector<float>& s, size_t from, size_t count, double hertz) {
    const double w = 2 * kPi * hertz / sfx::kSampleRate;
    double re = 0, im = 0, windowSum = 0;
    for (size_t i = 0; i < count; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * kPi * static_cast<double>(i) / static_cast<double>(count - 1));
        re += s[from + i] * hann * std::cos(w * static_cast<double>(i));
        im -= s[from + i] * hann * std::sin(w * static_cast<double>(i));
        windowSum += hann;
    }
    return 2 * std::hypot(re, im) / windowSum;
}

sfx::Effect Steady(sfx::Wave wave, double frequency, double duty = 0.5) {
    sfx::Voice v;
    v.wave = wave;
    v.frequency = frequency;
    v.duty = duty;
    v.attack = 0.001;
    v.sustain = 0.5;
    v.decay = 0.001;
    v.volume = 0.5;
    sfx::Effect effect;
    effect.voices = {v};
    return effect;
}

class BandLimitTest : public ::testing::TestWithParam<sfx::Wave> {};

TEST_P(BandLimitTest, HarmonicsAboveHalfTheRateDoNotFoldBack) {
    // 3001 Hz: its 11th harmonic (33011 Hz) would fold to 11089 Hz, the 15th
    // (45015 Hz) to 915 Hz, both far from any harmonic of the tone.
    const double f0 = 3001;
    const std::vector<float> s = sfx::Render(Steady(GetParam(), f0));
    const size_t from = 2000, count = 16384;
    ASSERT_GT(s.size(), from + count);
    const double fundamental = Amplitude(s, from, count, f0);
    ASSERT_GT(fundamental, 0.1);
    for (int k : {8, 9, 10, 11, 12, 13, 15}) {
        double folded = std::fmod(k * f0, static_cast<double>(sfx::kSampleRate));
        if (folded > sfx::kSampleRate / 2.0) folded = sfx::kSampleRate - folded;
        SCOPED_TRACE("harmonic " + std::to_string(k) + " folds to " + std::to_string(folded) + " Hz");
        // A naive wave carries harmonic k at about 1/k of the fundamental.
        // The residuals take folds that land low, where they are heard as
        // whistles against the tone, 40 dB under it; those landing near the
        // top of the band, where the residuals act least, still lose more
        // than half their level.
        if (folded < 12000) {
            EXPECT_LT(Amplitude(s, from, count, folded), fundamental * 0.01);
        } else {
            EXPECT_LT(Amplitude(s, from, count, folded), fundamental / k * 0.4);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Waves, BandLimitTest,
                         ::testing::Values(sfx::Wave::Square, sfx::Wave::Saw, sfx::Wave::Triangle));

TEST(OffsetTest, ASquareOfAnyDutySwingsAboutZero) {
    for (double duty : {0.125, 0.25, 0.5, 0.75}) {
        SCOPED_TRACE(duty);
        const std::vector<float> s = sfx::Render(Steady(sfx::Wave::Square, 440, duty));
        double sum = 0;
        for (size_t i = 2000; i < 20000; ++i) sum += s[i];
        EXPECT_LT(std::fabs(sum / 18000), 0.002);
    }
}

TEST(OffsetTest, AnUnevenShortSoundLeavesNoMean) {
    // A quick, lopsided click: a narrow pulse under a fast decay.
    sfx::Effect effect = Steady(sfx::Wave::Noise, 300);
    effect.voices[0].sustain = 0.01;
    effect.voices[0].decay = 0.02;
    effect.voices[0].lowpass = 400;
    const std::vector<float> s = sfx::Render(effect);
    double sum = 0;
    for (float v : s) sum += v;
    EXPECT_LT(std::fabs(sum / static_cast<double>(s.size())), 1e-4);
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_NEAR(s.back(), 0.0f, 1e-6);
}

// Every effect the game ships, rendered as the build renders it.
class ShippedEffectTest : public ::testing::Test {
protected:
    struct Rendered {
        std::string name;
        std::vector<int16_t> pcm;
    };
    static std::vector<Rendered> All() {
        std::vector<Rendered> all;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/sounds")) {
            if (entry.path().extension() != ".sfx") continue;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            std::string error;
            auto effect = sfx::ParseEffect(text.str(), error);
            EXPECT_TRUE(effect) << entry.path() << ": " << error;
            if (effect) all.push_back({entry.path().stem().string(), sfx::ToPcm16(sfx::Render(*effect))});
        }
        return all;
    }
};

TEST_F(ShippedEffectTest, EveryEffectIsCentredAndNeitherClipsNorWhispers) {
    const auto all = All();
    ASSERT_GE(all.size(), 10u);
    for (const auto& [name, pcm] : all) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(pcm.empty());
        double sum = 0;
        int peak = 0;
        size_t atFullScale = 0;
        for (int16_t v : pcm) {
            sum += v;
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            atFullScale += std::abs(static_cast<int>(v)) >= 32767;
        }
        const double mean = sum / static_cast<double>(pcm.size()) / 32768.0;
        EXPECT_LT(std::fabs(mean), 0.001) << "mean " << mean * 100 << " % of full scale";
        EXPECT_GT(peak, 32768 / 10) << "peak " << peak;  // louder than -20 dBFS
        EXPECT_LT(peak, 32767) << "peak " << peak;       // never at the rail
        EXPECT_EQ(atFullScale, 0u);
    }
}

}  // namespace
