// SPDX-License-Identifier: GPL-3.0-or-later
// The rasteriser: images placed on an axis-aligned grid (plain, part,
// stretched and mirrored draws), images turned about a point, and boxes.
#pragma once

#include <cstdint>

#include "media/graphics/image.h"
#include "media/graphics/pixel_ops.h"
#include "media/graphics/surface.h"

namespace media_detail {

// One axis of a placement: target coordinates start..end-1 show source pixels
// 0..size-1 (reversed when mirrored). Each target pixel takes the source pixel
// under its centre: floor((t - start + 1/2) x size / (end - start)).
struct AxisMap {
    int start = 0;
    int end = 0;
    int size = 0;
    bool mirror = false;

    int Source(int t) const {
        const int64_t span = static_cast<int64_t>(end) - start;
        const int64_t u = ((2 * (static_cast<int64_t>(t) - start) + 1) * size) / (2 * span);
        return mirror ? size - 1 - static_cast<int>(u) : static_cast<int>(u);
    }
    bool Unscaled() const { return static_cast<int64_t>(end) - start == size; }
};

// Draws the whole image placed by xs and ys, touching only pixels inside clip.
void BlitImage(const Surface& dst, const ClipRect& clip, const Image& image, const AxisMap& xs,
               const AxisMap& ys, const PixelOp& op);

// Draws the image scaled and turned clockwise by angle radians, its pixel
// (width / 2, height / 2) on (cx, cy). Every target pixel whose centre falls
// on the image takes the source pixel under it, so no angle leaves gaps.
void BlitRotated(const Surface& dst, const ClipRect& clip, const Image& image, int cx, int cy,
                 double scale, double angle, bool mirror, const PixelOp& op);

// Fills rect with color mixed by weight (255 replaces).
void FillRect(const Surface& dst, const ClipRect& rect, uint32_t color, uint32_t weight);

}  // namespace media_detail
