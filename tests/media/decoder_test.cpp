// SPDX-License-Identifier: GPL-3.0-or-later
// Every decoder variant decodes files written here to the expected pixels;
// truncated and lying files are refused.
#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "image_writers.h"
#include "media/graphics/decode/image_decoder.h"
#include "media/media.h"
#include "media/media_internal.h"

using namespace image_writers;
using media_detail::DecodedImage;
using media_detail::DecodeImage;

namespace {

std::optional<DecodedImage> Decode(const Bytes& file) { return DecodeImage({file.data(), file.size()}); }

// A 5x3 picture with distinct colours and alphas.
Picture Colours() {
    Picture p{5, 3, {}, {}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            p.rgb.push_back(static_cast<uint32_t>((x * 50 + 10) << 16 | (y * 80 + 5) << 8 | (x * 20 + y * 30)));
            p.alpha.push_back(static_cast<uint8_t>(x * 60 + y));
        }
    return p;
}

// Indices 0..count-1 in a 7x3 picture.
Picture Indices(int count) {
    Picture p{7, 3, {}, {}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) p.rgb.push_back(static_cast<uint32_t>((x / 2 + y * 3) % count));
    return p;
}

Picture Lookup(const Picture& indices, const std::vector<uint32_t>& palette) {
    Picture p = indices;
    for (uint32_t& v : p.rgb) v = v < palette.size() ? palette[v] : 0;
    return p;
}

const std::vector<uint32_t> kPalette16 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xABCDEF, 0x808080,
                                          0xFFFFFF, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F0F0F,
                                          0xF0F0F0, 0x777777};

void ExpectPixels(const std::optional<DecodedImage>& image, const Picture& want, bool alpha) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, want.width);
    ASSERT_EQ(image->height, want.height);
    EXPECT_EQ(image->hasAlpha, alpha);
    for (int y = 0; y < want.height; ++y)
        for (int x = 0; x < want.width; ++x) {
            const size_t i = static_cast<size_t>(y) * want.width + x;
            ASSERT_EQ(image->pixels[i], want.At(x, y)) << "pixel " << x << "," << y;
            if (alpha) {
                ASSERT_EQ(image->alpha[i], want.AlphaAt(x, y)) << "alpha " << x << "," << y;
            }
        }
}

// Prefixes of the file are refused (a few cut points), except that the last
// `optionalTail` bytes (row padding, an end marker) may be missing.
void ExpectTruncationsRefused(const Bytes& file, size_t optionalTail = 0) {
    for (size_t keep : {size_t{0}, size_t{1}, size_t{10}, file.size() / 2, file.size() - 3, file.size() - 1}) {
        if (keep >= file.size() - optionalTail) continue;
        const Bytes cut(file.begin(), file.begin() + static_cast<long>(keep));
        EXPECT_FALSE(Decode(cut).has_value()) << "kept " << keep << " of " << file.size();
        if (!cut.empty()) {
            EXPECT_EQ(CreateImageFromMemory(cut.data(), static_cast<int>(cut.size()), nullptr, 0, 1, 0), -1);
        }
    }
}

class BmpDecoderTest : public ::testing::Test {};

TEST_F(BmpDecoderTest, TrueColourRowOrdersAndHeaders) {
    const Picture p = Colours();
    for (int info : {12, 40, 108, 124})
        for (bool topDown : {false, true}) {
            if (info == 12 && topDown) continue;  // core headers have unsigned heights
            BmpOptions o;
            o.infoSize = info, o.topDown = topDown;
            SCOPED_TRACE(info);
            ExpectPixels(Decode(BmpFile(p, o)), p, false);
        }
}

TEST_F(BmpDecoderTest, PaletteDepths) {
    for (int bits : {1, 4, 8}) {
        const int colours = bits == 1 ? 2 : 16;
        const Picture indices = Indices(colours);
        BmpOptions o;
        o.bitCount = bits;
        o.palette.assign(kPalette16.begin(), kPalette16.begin() + colours);
        SCOPED_TRACE(bits);
        ExpectPixels(Decode(BmpFile(indices, o)), Lookup(indices, o.palette), false);
        o.infoSize = 12;  // three-byte palette entries
        ExpectPixels(Decode(BmpFile(indices, o)), Lookup(indices, o.palette), false);
    }
}

TEST_F(BmpDecoderTest, IndexBeyondThePaletteReadsBlack) {
    const Picture indices = Indices(16);
    BmpOptions o;
    o.bitCount = 8;
    o.palette.assign(kPalette16.begin(), kPalette16.begin() + 5);
    ExpectPixels(Decode(BmpFile(indices, o)), Lookup(indices, o.palette), false);
}

TEST_F(BmpDecoderTest, RunLengthCoding) {
    const Picture indices = Indices(16);
    BmpOptions o;
    o.bitCount = 8, o.compression = 1, o.palette = kPalette16;
    ExpectPixels(Decode(BmpFile(indices, o)), Lookup(indices, kPalette16), false);
    o.bitCount = 4, o.compression = 2;
    ExpectPixels(Decode(BmpFile(indices, o)), Lookup(indices, kPalette16), false);
}

TEST_F(BmpDecoderTest, RunLengthAbsoluteRunsAndDeltas) {
    Picture blank{4, 3, std::vector<uint32_t>(12, 0), {}};
    BmpOptions o;
    o.bitCount = 8, o.compression = 1, o.palette = {0x000000, 0x111111, 0x222222, 0x333333};
    Bytes file = BmpFile(blank, o);
    file.resize(file.size() - (3 * 4 + 2));  // drop the coded rows
    // Bottom row: absolute run 1 2 3 (padded), end of line; then a delta of
    // (1, 1) to x 1 of the top row, a repeat of 2, end of bitmap. The rest
    // keeps index 0.
    file.insert(file.end(), {0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1});
    Picture want{4, 3, {0, 0x222222, 0x222222, 0, 0, 0, 0, 0, 0x111111, 0x222222, 0x333333, 0}, {}};
    ExpectPixels(Decode(file), want, false);
}

TEST_F(BmpDecoderTest, BitFieldsAndAlpha) {
    // 16 bits 5-6-5 through masks after a version 3 header.
    Picture p{2, 1, {0xF800, 0x07E0 | 0x001F}, {}};
    BmpOptions o;
    o.bitCount = 16, o.compression = 3;
    o.masks[0] = 0xF800, o.masks[1] = 0x07E0, o.masks[2] = 0x001F;
    ExpectPixels(Decode(BmpFile(p, o)), Picture{2, 1, {0xFF0000, 0x00FFFF}, {}}, false);
    // 16 bits without masks are 5-5-5: 0x7C00 is full red, 0x0010 is blue 16/31.
    o = {};
    o.bitCount = 16;
    ExpectPixels(Decode(BmpFile(Picture{2, 1, {0x7C00, 0x0010}, {}}, o)), Picture{2, 1, {0xFF0000, 0x000084}, {}},
                 false);
    // 32 bits with an alpha mask in a version 5 header give an alpha image.
    o = {};
    o.infoSize = 124, o.bitCount = 32, o.compression = 3;
    o.masks[0] = 0x0000FF00, o.masks[1] = 0x00FF0000, o.masks[2] = 0xFF000000, o.masks[3] = 0x000000FF;
    Picture q{2, 1, {0x11223380, 0xAABBCC00}, {}};
    ExpectPixels(Decode(BmpFile(q, o)), Picture{2, 1, {0x332211, 0xCCBBAA}, {0x80, 0x00}}, true);
    // Alpha bytes left at zero everywhere are unset, not invisible.
    Picture unset{2, 1, {0x11223300, 0xAABBCC00}, {}};
    ExpectPixels(Decode(BmpFile(unset, o)), Picture{2, 1, {0x332211, 0xCCBBAA}, {}}, false);
}

TEST_F(BmpDecoderTest, TruncatedAndLyingFilesAreRefused) {
    BmpOptions o;
    ExpectTruncationsRefused(BmpFile(Colours(), o), 1);  // the last row's padding byte
    o.bitCount = 8, o.compression = 1, o.palette = kPalette16;
    ExpectTruncationsRefused(BmpFile(Indices(16), o), 2);  // the end-of-bitmap marker

    Bytes huge = BmpFile(Colours(), {});
    Put32(huge, 18, 20000);  // wider than any accepted image
    EXPECT_FALSE(Decode(huge).has_value());
    Put32(huge, 18, 16384), Put32(huge, 22, 16384);  // 1 GiB of pixels
    EXPECT_FALSE(Decode(huge).has_value());
    Put32(huge, 18, 5), Put32(huge, 22, 0x80000000u);  // the most negative height
    EXPECT_FALSE(Decode(huge).has_value());
    Bytes offset = BmpFile(Colours(), {});
    Put32(offset, 10, 1u << 30);  // pixel data beyond the file
    EXPECT_FALSE(Decode(offset).has_value());
}

class PngDecoderTest : public ::testing::Test {};

TEST_F(PngDecoderTest, ColourTypesAndDepths) {
    const Picture p = Colours();
    ExpectPixels(Decode(PngFile(p, {})), p, false);
    PngOptions o;
    o.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    ExpectPixels(Decode(PngFile(p, o)), p, true);
    o.bitDepth = 16;  // high bytes kept
    ExpectPixels(Decode(PngFile(p, o)), p, true);
    o.interlace = true;
    ExpectPixels(Decode(PngFile(p, o)), p, true);
    Picture opaque = p;
    opaque.alpha.assign(opaque.rgb.size(), 255);  // says nothing: the colour key applies instead
    o = {};
    o.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    ExpectPixels(Decode(PngFile(opaque, o)), opaque, false);

    Picture grey = p;
    for (uint32_t& c : grey.rgb) c = (c & 0xFF) * 0x010101;
    o = {};
    o.colorType = PNG_COLOR_TYPE_GRAY;
    ExpectPixels(Decode(PngFile(grey, o)), grey, false);
    o.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    ExpectPixels(Decode(PngFile(grey, o)), grey, true);
}

TEST_F(PngDecoderTest, LowDepthGreyAndPalettes) {
    Picture twoBit{4, 1, {0, 1, 2, 3}, {}};
    PngOptions o;
    o.colorType = PNG_COLOR_TYPE_GRAY, o.bitDepth = 2;
    ExpectPixels(Decode(PngFile(twoBit, o)), Picture{4, 1, {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}, {}}, false);

    const Picture indices = Indices(4);
    o = {};
    o.colorType = PNG_COLOR_TYPE_PALETTE, o.bitDepth = 2;
    o.palette.assign(kPalette16.begin(), kPalette16.begin() + 4);
    ExpectPixels(Decode(PngFile(indices, o)), Lookup(indices, o.palette), false);
    o.paletteAlpha = {0, 128};  // a transparency chunk makes an alpha image
    Picture want = Lookup(indices, o.palette);
    for (uint32_t v : indices.rgb) want.alpha.push_back(v == 0 ? 0 : v == 1 ? 128 : 255);
    ExpectPixels(Decode(PngFile(indices, o)), want, true);
}

TEST_F(PngDecoderTest, TruncatedAndLyingFilesAreRefused) {
    const Bytes file = PngFile(Colours(), {});
    ExpectTruncationsRefused(file);
    Bytes corrupt = file;
    corrupt[file.size() - 20] ^= 0xFF;  // image data CRC no longer matches
    EXPECT_FALSE(Decode(corrupt).has_value());
    Bytes wide = file;
    Put32(wide, 16, 0x204E0000);  // width 20000, big-endian; the header CRC is now wrong too
    EXPECT_FALSE(Decode(wide).has_value());
}

class JpegDecoderTest : public ::testing::Test {};

// Quality 100 on flat 8x8 blocks reproduces the colours to within rounding.
void ExpectNear(const std::optional<DecodedImage>& image, const Picture& want, int tolerance) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, want.width);
    ASSERT_EQ(image->height, want.height);
    EXPECT_FALSE(image->hasAlpha);
    for (size_t i = 0; i < want.rgb.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const int got = static_cast<int>((image->pixels[i] >> shift) & 0xFF);
            const int expected = static_cast<int>((want.rgb[i] >> shift) & 0xFF);
            ASSERT_NEAR(got, expected, tolerance) << "pixel " << i;
        }
}

Picture Blocks(bool grey) {
    Picture p{16, 16, {}, {}};
    const uint32_t colours[4] = {0xC83214, 0x1464C8, 0x32C864, 0xF0F0F0};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint32_t c = colours[(y / 8) * 2 + x / 8];
            p.rgb.push_back(grey ? (c & 0xFF) * 0x010101 : c);
        }
    return p;
}

TEST_F(JpegDecoderTest, ColourAndGrey) {
    ExpectNear(Decode(JpegFile(Blocks(false), false)), Blocks(false), 3);
    ExpectNear(Decode(JpegFile(Blocks(true), true)), Blocks(true), 1);
    ExpectNear(Decode(JpegFile(Blocks(false), false, true)), Blocks(false), 3);  // progressive
}

TEST_F(JpegDecoderTest, TruncatedAndLyingFilesAreRefused) {
    const Bytes file = JpegFile(Blocks(false), false);
    ExpectTruncationsRefused(file);
    // A frame header claiming 60000 x 60000 pixels.
    Bytes lying = file;
    for (size_t i = 0; i + 9 < lying.size(); ++i)
        if (lying[i] == 0xFF && lying[i + 1] == 0xC0) {
            lying[i + 5] = 0xEA, lying[i + 6] = 0x60, lying[i + 7] = 0xEA, lying[i + 8] = 0x60;
            break;
        }
    EXPECT_FALSE(Decode(lying).has_value());
}

class RawAndTgaDecoderTest : public ::testing::Test {};

TEST_F(RawAndTgaDecoderTest, RawBgraAtBothDepths) {
    const Picture p = Colours();
    ExpectPixels(Decode(RawBgra(p, false)), p, true);
    ExpectPixels(Decode(RawBgra(p, true)), p, true);
    Bytes mixed = RawBgra(p, false);
    Put32(mixed, 4, 0x08080810);  // mixed depths are refused
    EXPECT_FALSE(Decode(mixed).has_value());
    ExpectTruncationsRefused(RawBgra(p, false));
    Bytes lying = RawBgra(p, false);
    Put32(lying, 8, 16384), Put32(lying, 12, 16384);
    EXPECT_FALSE(Decode(lying).has_value());
}

TEST_F(RawAndTgaDecoderTest, TgaTrueColourVariants) {
    const Picture p = Colours();
    for (int type : {2, 10})
        for (bool topDown : {false, true})
            for (bool rightToLeft : {false, true}) {
                TgaOptions o;
                o.imageType = type, o.topDown = topDown, o.rightToLeft = rightToLeft;
                SCOPED_TRACE(testing::Message() << type << topDown << rightToLeft);
                ExpectPixels(Decode(TgaFile(p, o)), p, false);
                o.depth = 32, o.alphaBits = 8;
                ExpectPixels(Decode(TgaFile(p, o)), p, true);
            }
    // 16 bits: 5-5-5.
    TgaOptions o;
    o.depth = 16;
    ExpectPixels(Decode(TgaFile(Picture{2, 1, {0x7C00, 0x001F}, {}}, o)), Picture{2, 1, {0xFF0000, 0x0000FF}, {}},
                 false);
}

TEST_F(RawAndTgaDecoderTest, TgaMappedAndGrey) {
    const Picture indices = Indices(16);
    for (int type : {1, 9}) {
        TgaOptions o;
        o.imageType = type, o.depth = 8, o.map = kPalette16;
        ExpectPixels(Decode(TgaFile(indices, o)), Lookup(indices, kPalette16), false);
    }
    Picture grey = indices;
    for (uint32_t& v : grey.rgb) v *= 16;
    Picture greyWant = grey;
    for (uint32_t& v : greyWant.rgb) v *= 0x010101;
    for (int type : {3, 11}) {
        TgaOptions o;
        o.imageType = type, o.depth = 8;
        ExpectPixels(Decode(TgaFile(grey, o)), greyWant, false);
    }
}

TEST_F(RawAndTgaDecoderTest, TgaTruncatedAndLyingFilesAreRefused) {
    TgaOptions o;
    ExpectTruncationsRefused(TgaFile(Colours(), o));
    o.imageType = 10;
    ExpectTruncationsRefused(TgaFile(Colours(), o));
    Bytes lying = TgaFile(Colours(), {});
    Put16(lying, 12, 40000);
    EXPECT_FALSE(Decode(lying).has_value());
    // An id field running past the end of a file with no pixel data.
    const Bytes shortId = {3, 0, 2, 0, 0, 0x78, 0x50, 0, 0, 0, 0, 0, 5, 4, 4, 0, 0x18, 0, 0x69, 0xA1};
    EXPECT_FALSE(Decode(shortId).has_value());
    Bytes badType = TgaFile(Colours(), {});
    badType[2] = 4;
    EXPECT_FALSE(Decode(badType).has_value());
}

class DdsDecoderTest : public ::testing::Test {};

TEST_F(DdsDecoderTest, UncompressedWithMasks) {
    const uint32_t argb[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    Bytes file = DdsHeader(2, 1, 0x41, 0, 32, argb);
    Append32(file, 0x80123456), Append32(file, 0x00ABCDEF);
    ExpectPixels(Decode(file), Picture{2, 1, {0x123456, 0xABCDEF}, {0x80, 0x00}}, true);
    const uint32_t rgb565[4] = {0xF800, 0x07E0, 0x001F, 0};
    Bytes small = DdsHeader(2, 1, 0x40, 0, 16, rgb565);
    Append16(small, 0xF800), Append16(small, 0x07E0);
    ExpectPixels(Decode(small), Picture{2, 1, {0xFF0000, 0x00FF00}, {}}, false);
}

TEST_F(DdsDecoderTest, BlockCompression) {
    const uint32_t none[4] = {0, 0, 0, 0};
    // DXT1, four colours: white, black, 2/3 white, 1/3 white; texel i takes index i % 4.
    Bytes dxt1 = DdsHeader(4, 4, 0x4, FourCc("DXT1"), 0, none);
    dxt1.insert(dxt1.end(), {0xFF, 0xFF, 0x00, 0x00, 0xE4, 0xE4, 0xE4, 0xE4});
    Picture four{4, 4, {}, {}};
    for (int i = 0; i < 16; ++i) four.rgb.push_back(std::vector<uint32_t>{0xFFFFFF, 0, 0xAAAAAA, 0x555555}[i % 4]);
    ExpectPixels(Decode(dxt1), four, false);

    // DXT1, three colours and transparent black (c0 <= c1).
    Bytes punch = DdsHeader(4, 4, 0x4, FourCc("DXT1"), 0, none);
    punch.insert(punch.end(), {0x00, 0x00, 0xFF, 0xFF, 0xE4, 0xE4, 0xE4, 0xE4});
    Picture three{4, 4, {}, {}};
    for (int i = 0; i < 16; ++i) {
        three.rgb.push_back(std::vector<uint32_t>{0, 0xFFFFFF, 0x808080, 0}[i % 4]);
        three.alpha.push_back(i % 4 == 3 ? 0 : 255);
    }
    ExpectPixels(Decode(punch), three, true);

    // DXT3: explicit 4-bit alphas 0, 1, ..., 15 (times 17), white texels.
    Bytes dxt3 = DdsHeader(4, 4, 0x4, FourCc("DXT3"), 0, none);
    dxt3.insert(dxt3.end(), {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE});
    dxt3.insert(dxt3.end(), {0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0});
    Picture explicitAlpha{4, 4, std::vector<uint32_t>(16, 0xFFFFFF), {}};
    for (int i = 0; i < 16; ++i) explicitAlpha.alpha.push_back(static_cast<uint8_t>(i * 17));
    ExpectPixels(Decode(dxt3), explicitAlpha, true);

    // DXT5: a0 = 255, a1 = 0, every texel index 1 (alpha 0) except texel 0 (index 0).
    Bytes dxt5 = DdsHeader(4, 4, 0x4, FourCc("DXT5"), 0, none);
    dxt5.insert(dxt5.end(), {0xFF, 0x00, 0b01001000, 0b10010010, 0b00100100, 0b01001001, 0b10010010, 0b00100100});
    dxt5.insert(dxt5.end(), {0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0});
    Picture interpolated{4, 4, std::vector<uint32_t>(16, 0xFFFFFF), std::vector<uint8_t>(16, 0)};
    interpolated.alpha[0] = 255;
    ExpectPixels(Decode(dxt5), interpolated, true);
}

TEST_F(DdsDecoderTest, TruncatedAndLyingFilesAreRefused) {
    const uint32_t none[4] = {0, 0, 0, 0};
    Bytes dxt5 = DdsHeader(8, 8, 0x4, FourCc("DXT5"), 0, none);
    dxt5.resize(128 + 4 * 16, 0x11);
    ExpectTruncationsRefused(dxt5);
    Bytes lying = dxt5;
    Put32(lying, 12, 16384), Put32(lying, 16, 16384);
    EXPECT_FALSE(Decode(lying).has_value());
    Bytes unknown = dxt5;
    Put32(unknown, 84, FourCc("ATI2"));
    EXPECT_FALSE(Decode(unknown).has_value());
}

class CreateImageTest : public graphics_test::GraphicsTest {};

TEST_F(CreateImageTest, MirrorFlagAndSeparateAlpha) {
    const Picture p = Colours();
    const Bytes file = PngFile(p, {});
    const int mirrored = CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 1);
    ASSERT_GE(mirrored, 0);
    DrawImage(0, 0, mirrored, 0);
    EXPECT_EQ(Pixel(0, 0), p.At(4, 0));
    EXPECT_EQ(Pixel(4, 2), p.At(0, 2));

    // The alpha picture's blue channel: 0 hides, 255 shows.
    Picture mask{5, 3, std::vector<uint32_t>(15, 0x0000FF), {}};
    mask.rgb[1] = 0;
    const Bytes maskFile = BmpFile(mask, {});
    const int masked = CreateImageFromMemory(file.data(), static_cast<int>(file.size()), maskFile.data(),
                                             static_cast<int>(maskFile.size()), 1, 0);
    ASSERT_GE(masked, 0);
    DrawBox(0, 10, 10, 20, 0x010203, 1);
    DrawImage(0, 10, masked, 1);
    EXPECT_EQ(Pixel(0, 10), p.At(0, 0));
    EXPECT_EQ(Pixel(1, 10), 0x010203u);

    const Bytes otherSize = BmpFile(Picture{2, 2, std::vector<uint32_t>(4, 0xFF), {}}, {});
    EXPECT_EQ(CreateImageFromMemory(file.data(), static_cast<int>(file.size()), otherSize.data(),
                                    static_cast<int>(otherSize.size()), 1, 0),
              -1);
}

TEST_F(CreateImageTest, GarbageAndEmptyInputFail) {
    const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!', '!', '!', '!', '!', '!'};
    EXPECT_EQ(CreateImageFromMemory(text.data(), static_cast<int>(text.size()), nullptr, 0, 1, 0), -1);
    EXPECT_EQ(CreateImageFromMemory(nullptr, 10, nullptr, 0, 1, 0), -1);
    EXPECT_EQ(CreateImageFromMemory(text.data(), 0, nullptr, 0, 1, 0), -1);
    EXPECT_EQ(MakeScreenImage(0, 10, 0), -1);
    EXPECT_EQ(MakeScreenImage(20000, 10, 0), -1);
}

}  // namespace
