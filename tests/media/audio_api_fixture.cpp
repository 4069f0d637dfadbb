// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_api_fixture.h"

#include <cstdlib>

#include "media/audio/soundfont_path.h"
#include "media/headless.h"
#include "media/media.h"

namespace audio_test {

void AudioLayerTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = TestFolder(std::string(info->test_suite_name()) + "." + info->name());
    soundFont_ = folder_ + "/tone.sf2";
    WriteTestSoundFont(soundFont_);
    setenv(media_detail::kSoundFontVariable, soundFont_.c_str(), 1);
    headless::UseHeadlessPlatform();
    SetRunInBackground(1);
    SetWindowedMode(1);
    SetWindowTitle("Veltrim");
    ASSERT_EQ(InitMedia(), 0);
    ASSERT_EQ(SetMidiMode(1), 0);  // as the game does right after start-up
}

void AudioLayerTest::TearDown() {
    EndMedia();
    unsetenv(media_detail::kSoundFontVariable);
}

std::string AudioLayerTest::Put(const std::string& name, const Bytes& bytes) {
    const std::string path = folder_ + "/" + name;
    WriteFile(path, bytes);
    return path;
}

std::vector<int16_t> AudioLayerTest::Render(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    EXPECT_TRUE(headless::RenderAudio(out.data(), frames));
    return out;
}

int Peak(const std::vector<int16_t>& audio, int channel, size_t from, size_t to) {
    int peak = 0;
    for (size_t f = from; f < to && 2 * f + 1 < audio.size(); ++f)
        peak = std::max(peak, std::abs(int{audio[2 * f + static_cast<size_t>(channel)]}));
    return peak;
}

long FirstAbove(const std::vector<int16_t>& audio, int channel, int level, size_t from) {
    for (size_t f = from; 2 * f + 1 < audio.size(); ++f)
        if (std::abs(int{audio[2 * f + static_cast<size_t>(channel)]}) > level) return static_cast<long>(f);
    return -1;
}

}  // namespace audio_test
