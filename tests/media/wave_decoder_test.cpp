// SPDX-License-Identifier: GPL-3.0-or-later
// Wave decoding: formats SDL decodes, conversion to 44100 Hz stereo, and
// files that are not what they claim.
#include <gtest/gtest.h>

#include <cstring>

#include "audio_test_files.h"
#include "media/audio/wave_decoder.h"

using namespace audio_test;
using media_detail::DecodeWave;

TEST(WaveDecoder, Pcm16StereoAt44100IsKeptSampleForSample) {
    const std::vector<int16_t> samples = {0, 1, -1, 32767, -32768, 1234, 500, -500};
    const auto decoded = DecodeWave(MakePcm16Wave(2, 44100, samples));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, samples);
}

TEST(WaveDecoder, MonoIsSpreadToBothChannels) {
    const auto decoded = DecodeWave(MakePcm16Wave(1, 44100, {100, -200, 300}));
    ASSERT_TRUE(decoded);
    // The converter goes through floating point and may lose the lowest bit.
    const std::vector<int16_t> expected = {100, 100, -200, -200, 300, 300};
    ASSERT_EQ(decoded->size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR((*decoded)[i], expected[i], 1);
}

TEST(WaveDecoder, LowerRatesAreResampledTo44100) {
    const auto decoded = DecodeWave(MakePcm16Wave(2, 22050, std::vector<int16_t>(2 * 2205, 3000)));
    ASSERT_TRUE(decoded);
    const size_t frames = decoded->size() / 2;
    EXPECT_NEAR(static_cast<double>(frames), 4410.0, 8.0);
    // A constant signal stays constant away from the edges.
    EXPECT_NEAR((*decoded)[2 * (frames / 2)], 3000, 30);
}

TEST(WaveDecoder, EightBitUnsignedBecomesSigned16) {
    const auto decoded = DecodeWave(MakeWave(1, 1, 44100, 8, {0x80, 0xC0, 0x40}));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 6u);
    EXPECT_EQ((*decoded)[0], 0);
    EXPECT_NEAR((*decoded)[2], 16384, 256);
    EXPECT_NEAR((*decoded)[4], -16384, 256);
}

TEST(WaveDecoder, MuLawIsDecoded) {
    // mu-law 0xFF is silence, 0x80 the loudest positive and 0x00 the loudest negative value.
    const auto decoded = DecodeWave(MakeWave(7, 1, 44100, 8, {0xFF, 0x80, 0x00}));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 6u);
    EXPECT_EQ((*decoded)[0], 0);
    EXPECT_GT((*decoded)[2], 30000);
    EXPECT_LT((*decoded)[4], -30000);
}

TEST(WaveDecoder, FloatSamplesAreScaled) {
    Bytes data;
    for (float f : {0.5f, -0.25f}) {
        uint32_t bits = 0;
        std::memcpy(&bits, &f, 4);
        AppendLe32(data, bits);
    }
    const auto decoded = DecodeWave(MakeWave(3, 1, 44100, 32, data));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 4u);
    EXPECT_NEAR((*decoded)[0], 16384, 2);
    EXPECT_NEAR((*decoded)[2], -8192, 2);
}

// ADPCM blocks whose nibbles are all zero hold their header's sample.
TEST(WaveDecoder, ImaAdpcmIsDecoded) {
    Bytes format = FormatFields(0x11, 1, 44100, 36, 4);
    AppendLe16(format, 2);
    AppendLe16(format, 65);  // samples per block: the header's and two per byte
    Bytes block = {0xE8, 0x03, 0, 0};  // sample 1000, step index 0
    block.resize(36, 0);
    const auto decoded = DecodeWave(MakeWaveWithFormat(format, block));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 2u * 65);
    for (int16_t s : *decoded) EXPECT_NEAR(s, 1000, 1);
}

TEST(WaveDecoder, MsAdpcmIsDecoded) {
    Bytes format = FormatFields(0x02, 1, 44100, 39, 4);
    AppendLe16(format, 32);
    AppendLe16(format, 66);  // the two header samples and two per byte
    AppendLe16(format, 7);
    for (int pair : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
        AppendLe16(format, static_cast<uint16_t>(pair));
    Bytes block = {0, 16, 0, 0xE8, 0x03, 0xE8, 0x03};  // coefficients 0, delta 16, samples 1000
    block.resize(39, 0);
    const auto decoded = DecodeWave(MakeWaveWithFormat(format, block));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 2u * 66);
    for (int16_t s : *decoded) EXPECT_NEAR(s, 1000, 1);
}

class MalformedWave : public ::testing::Test {
protected:
    Bytes good = MakePcm16Wave(2, 44100, std::vector<int16_t>(64, 7));
    static void Put32(Bytes& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    }
};

TEST_F(MalformedWave, GoodFileDecodes) { EXPECT_TRUE(DecodeWave(good)); }

TEST_F(MalformedWave, NotRiffFails) {
    good[0] = 'X';
    EXPECT_FALSE(DecodeWave(good));
    EXPECT_FALSE(DecodeWave(Bytes{}));
    EXPECT_FALSE(DecodeWave(Bytes{'R', 'I', 'F', 'F'}));
}

TEST_F(MalformedWave, RiffSizeLargerThanFileFails) {
    Put32(good, 4, static_cast<uint32_t>(good.size()));
    EXPECT_FALSE(DecodeWave(good));
}

TEST_F(MalformedWave, DataSizeLargerThanFileFails) {
    // "data" header sits after RIFF(12) + fmt chunk (8 + 16).
    ASSERT_EQ(std::memcmp(good.data() + 36, "data", 4), 0);
    Put32(good, 40, 0x7FFFFFF0);
    EXPECT_FALSE(DecodeWave(good));
}

TEST_F(MalformedWave, TruncatedFileFails) {
    good.resize(good.size() - 10);
    EXPECT_FALSE(DecodeWave(good));
}

TEST_F(MalformedWave, MissingFormatChunkFails) {
    Bytes body = {'W', 'A', 'V', 'E'};
    const Bytes data = Chunk("data", Bytes(16, 0));
    body.insert(body.end(), data.begin(), data.end());
    EXPECT_FALSE(DecodeWave(Chunk("RIFF", body)));
}

TEST_F(MalformedWave, UnknownEncodingFails) {
    EXPECT_FALSE(DecodeWave(MakeWave(0x55, 2, 44100, 16, Bytes(64, 0))));  // MPEG layer 3
}

TEST_F(MalformedWave, ZeroChannelsOrRateFail) {
    EXPECT_FALSE(DecodeWave(MakeWave(1, 0, 44100, 16, Bytes(64, 0))));
    EXPECT_FALSE(DecodeWave(MakeWave(1, 2, 0, 16, Bytes(64, 0))));
}

TEST_F(MalformedWave, SoundsWhoseSamplesWouldPassTheMemoryBoundFail) {
    // 8-bit mono at 1000 Hz grows 176-fold: 1.6 MB would become 282 MB.
    EXPECT_FALSE(DecodeWave(MakeWave(1, 1, 1000, 8, Bytes(1'600'000, 0x80))));
}

TEST(WaveDecoder, LongSoundsWithinTheMemoryBoundDecode) {
    // Two minutes of CD-quality sound, 21 MB.
    constexpr size_t kFrames = 120 * 44100;
    const auto decoded = DecodeWave(MakePcm16Wave(2, 44100, std::vector<int16_t>(2 * kFrames, 5)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), 2 * kFrames);
    // Eight-bit mono at 8000 Hz, 6 minutes: 1.6 MB decoding to 64 MB.
    EXPECT_TRUE(DecodeWave(MakeWave(1, 1, 8000, 8, Bytes(360 * 8000, 0x80))));
}

TEST_F(MalformedWave, AbsurdSampleRatesFail) {
    EXPECT_FALSE(DecodeWave(MakeWave(1, 1, 1, 8, Bytes(3600, 0x80))));
    // Float mono at 4194287 Hz once made the converter overflow its sizes.
    EXPECT_FALSE(DecodeWave(MakeWave(3, 1, 0x3FFFEF, 32, Bytes{0, 0, 0, 0x3F, 0, 0, 0x80, 0xBE})));
}

TEST(WaveDecoder, SoundsShorterThanOneOutputFrameComeOutEmptyOrWhole) {
    // One frame at 192 kHz is less than a frame at 44100 Hz.
    const auto decoded = DecodeWave(MakePcm16Wave(2, 192000, {500, 500}));
    ASSERT_TRUE(decoded);
    EXPECT_LE(decoded->size(), 2u);
    EXPECT_EQ(decoded->size() % 2, 0u);
}
