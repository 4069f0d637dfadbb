// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder chain behind CreateImageFromMemory.
#pragma once

#include <optional>

#include "media/graphics/decode/decoded_image.h"

namespace media_detail {

// Tries BMP, JPEG, PNG, raw BGRA, TGA and DDS in that order; the first that
// accepts the bytes makes the image.
std::optional<DecodedImage> DecodeImage(Bytes bytes);

// DecodeImage plus the optional separate alpha image (same size; its blue
// channel becomes the alpha) and left-right mirroring.
std::optional<DecodedImage> DecodeImageWithAlpha(const void* data, int size, const void* alphaData,
                                                 int alphaSize, bool mirror);

}  // namespace media_detail
