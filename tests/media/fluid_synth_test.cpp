// SPDX-License-Identifier: GPL-3.0-or-later
// FluidSynth with the tests' own soundfont: the clean tone the music tests
// listen to.
#include <gtest/gtest.h>

#include <cmath>

#include "audio_test_files.h"
#include "media/audio/fluid_gm_synth.h"

using namespace audio_test;

namespace {

float PeakOf(const std::vector<float>& interleaved, int channel) {
    float peak = 0;
    for (size_t i = static_cast<size_t>(channel); i < interleaved.size(); i += 2)
        peak = std::max(peak, std::fabs(interleaved[i]));
    return peak;
}

media_detail::MidiEvent Message(uint8_t status, uint8_t a, uint8_t b = 0) {
    media_detail::MidiEvent e;
    e.status = status;
    e.data1 = a;
    e.data2 = b;
    return e;
}

}  // namespace

TEST(FluidSynth, TestSoundFontPlaysLeftAndRightPresets) {
    const std::string path = TestFolder("fluid") + "/tone.sf2";
    WriteTestSoundFont(path);
    auto synth = media_detail::MakeFluidSynth(path);
    ASSERT_TRUE(synth);
    for (uint8_t ch = 0; ch < 2; ++ch) {
        synth->Send(Message(0xC0 | ch, ch), {});
        synth->Send(Message(0xB0 | ch, 91, 0), {});
        synth->Send(Message(0xB0 | ch, 93, 0), {});
    }
    std::vector<float> out(2 * 4410);
    synth->Send(Message(0x90, 69, 127), {});
    synth->Render(out.data(), 4410);
    EXPECT_GT(PeakOf(out, 0), 0.05f);
    EXPECT_LT(PeakOf(out, 1), 1e-6f);  // below one 16-bit step
    EXPECT_TRUE(synth->Sounding());

    synth->Reset();
    synth->Send(Message(0xC1, 1), {});
    synth->Send(Message(0xB1, 91, 0), {});
    synth->Send(Message(0xB1, 93, 0), {});
    synth->Send(Message(0x91, 69, 127), {});
    synth->Render(out.data(), 4410);
    std::vector<float> tail(out.begin() + 2 * 2205, out.end());
    EXPECT_LT(PeakOf(tail, 0), 1e-6f);  // below one 16-bit step
    EXPECT_GT(PeakOf(tail, 1), 0.05f);
}

