// SPDX-License-Identifier: GPL-3.0-or-later
// What every decoder produces, the size limits they all share, and the
// little-endian readers they use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace media_detail {

using Bytes = std::span<const uint8_t>;

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row, top row first
    std::vector<uint8_t> alpha;    // one byte a pixel when hasAlpha, else empty
    bool hasAlpha = false;
};

constexpr int64_t kMaxImageSide = 16384;
constexpr int64_t kMaxImageBytes = int64_t{256} << 20;

// True for 1..16384 pixels a side and at most 256 MiB of 32-bit pixels.
// Every decoder asks before it allocates anything sized by a header.
bool FitsImageLimits(int64_t width, int64_t height);
// False when `bytes` of compressed data cannot hold width x height pixels at
// the format's best possible ratio of pixels to bytes: a header that lies
// about its size is refused before the pixels are allocated.
inline bool CompressedSizePlausible(int64_t width, int64_t height, size_t bytes, int64_t pixelsPerByte) {
    return width * height <= static_cast<int64_t>(bytes) * pixelsPerByte;
}
// A black image (alpha 255 when withAlpha) of a size that passed FitsImageLimits.
DecodedImage AllocateImage(int width, int height, bool withAlpha);
// Drops the alpha channel when every pixel is fully opaque or fully zero
// (writers that leave the alpha bytes unset).
void DropMeaninglessAlpha(DecodedImage& image, bool zeroMeansUnset);

inline uint16_t Le16(Bytes b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
inline uint32_t Le32(Bytes b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
constexpr uint32_t PackRgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// A channel described by a bit mask, widened or narrowed to 8 bits.
class MaskChannel {
public:
    explicit MaskChannel(uint32_t mask);
    bool Present() const { return mask_ != 0; }
    uint32_t Extract(uint32_t value) const;

private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

std::optional<DecodedImage> DecodeBmp(Bytes bytes);
std::optional<DecodedImage> DecodeJpeg(Bytes bytes);
std::optional<DecodedImage> DecodePng(Bytes bytes);
std::optional<DecodedImage> DecodeRawBgra(Bytes bytes);
std::optional<DecodedImage> DecodeTga(Bytes bytes);
std::optional<DecodedImage> DecodeDds(Bytes bytes);

}  // namespace media_detail
