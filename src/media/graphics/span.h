// SPDX-License-Identifier: GPL-3.0-or-later
// Combining a row of source pixels with a row of target pixels.
#pragma once

#include <cstdint>

#include "media/graphics/pixel_ops.h"

namespace media_detail {

// Draws n source pixels (alpha may be null when op.useAlpha is false) onto n
// target pixels, choosing a fast loop for the common cases.
void CombineSpan(uint32_t* dst, const uint32_t* src, const uint8_t* alpha, int n, const PixelOp& op);
// The same result pixel by pixel through PlotPixel; the reference for tests.
void CombineSpanReference(uint32_t* dst, const uint32_t* src, const uint8_t* alpha, int n,
                          const PixelOp& op);

}  // namespace media_detail
