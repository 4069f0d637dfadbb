// SPDX-License-Identifier: GPL-3.0-or-later
// A view of 32-bit 0x00RRGGBB pixels that the renderer draws into, and the
// rectangles it clips with.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace media_detail {

// Covers left <= x < right, top <= y < bottom.
struct ClipRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ClipRect&) const = default;
};

inline ClipRect Intersect(const ClipRect& a, const ClipRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Rows follow each other without padding.
struct Surface {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return pixels != nullptr; }
    uint32_t* Row(int y) const { return pixels + static_cast<size_t>(y) * static_cast<size_t>(width); }
    ClipRect Bounds() const { return {0, 0, width, height}; }
};

}  // namespace media_detail
