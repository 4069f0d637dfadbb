// SPDX-License-Identifier: GPL-3.0-or-later
// The image drawing operations: each turns its arguments into a placement
// for the rasteriser.
#include <algorithm>
#include <cmath>
#include <optional>

#include "media/graphics/blit.h"
#include "media/graphics/draw_state.h"
#include "media/graphics/image.h"

using namespace media_detail;

namespace {

// Coordinates this far out are off every target; rejecting them keeps the
// placement arithmetic inside int.
constexpr int kCoordinateLimit = 1 << 29;
bool InRange(int v) { return v > -kCoordinateLimit && v < kCoordinateLimit; }
int ClampCoordinate(double v) { return static_cast<int>(std::clamp(v, -1.0 * kCoordinateLimit, 1.0 * kCoordinateLimit)); }

// Everything one image draw needs: the target, its drawing area, the image
// and how its pixels land.
struct ImageDraw {
    Surface target;
    ClipRect area;
    const Image* image = nullptr;
    PixelOp op;
    std::optional<Image> selfCopy;  // an image drawn onto itself is read from a copy
};

std::optional<ImageDraw> BeginImageDraw(int handle, int trans) {
    const Image* image = FindImage(handle);
    const Surface target = TargetSurface();
    if (!image || !target) return std::nullopt;
    ImageDraw draw;
    draw.target = target;
    draw.area = DrawingArea();
    draw.image = image;
    if (image->pixels.data() == target.pixels) {
        draw.selfCopy = *image;
        draw.image = &*draw.selfCopy;
    }
    const DrawState& state = State();
    draw.op.weight = state.blendMode == 1 ? static_cast<uint32_t>(state.blendParam) : 255u;
    draw.op.brightR = static_cast<uint32_t>(state.brightR);
    draw.op.brightG = static_cast<uint32_t>(state.brightG);
    draw.op.brightB = static_cast<uint32_t>(state.brightB);
    if (trans) {
        draw.op.useAlpha = image->hasAlpha;
        draw.op.skipKey = !image->hasAlpha;
        draw.op.key = image->key;
    }
    return draw;
}

AxisMap Whole(int start, int size) { return {start, start + size, size, false}; }

}  // namespace

int DrawImage(int x, int y, int handle, int trans) {
    DrawScope scope;
    auto draw = BeginImageDraw(handle, trans);
    if (!draw) return -1;
    if (!InRange(x) || !InRange(y)) return 0;
    BlitImage(draw->target, draw->area, *draw->image, Whole(x, draw->image->width), Whole(y, draw->image->height),
              draw->op);
    return 0;
}

int DrawImageRect(int x, int y, int srcX, int srcY, int width, int height, int handle, int trans, int turn) {
    DrawScope scope;
    auto draw = BeginImageDraw(handle, trans);
    if (!draw) return -1;
    if (width <= 0 || height <= 0) return 0;
    if (!InRange(x) || !InRange(y) || !InRange(srcX) || !InRange(srcY) || !InRange(width) || !InRange(height))
        return 0;
    // Only the chosen part is drawn: the drawing area shrinks to it while the
    // whole image is placed so that (srcX, srcY) lands on (x, y).
    const ClipRect part = Intersect(draw->area, {x, y, x + width, y + height});
    const int w = draw->image->width;
    const AxisMap xs = turn ? AxisMap{x + srcX + width - w, x + srcX + width, w, true} : Whole(x - srcX, w);
    BlitImage(draw->target, part, *draw->image, xs, Whole(y - srcY, draw->image->height), draw->op);
    return 0;
}

int DrawImageStretched(int x1, int y1, int x2, int y2, int handle, int trans) {
    DrawScope scope;
    auto draw = BeginImageDraw(handle, trans);
    if (!draw) return -1;
    if (!InRange(x1) || !InRange(y1) || !InRange(x2) || !InRange(y2)) return 0;
    const AxisMap xs{std::min(x1, x2), std::max(x1, x2), draw->image->width, x2 < x1};
    const AxisMap ys{std::min(y1, y2), std::max(y1, y2), draw->image->height, y2 < y1};
    BlitImage(draw->target, draw->area, *draw->image, xs, ys, draw->op);
    return 0;
}

namespace {

// One axis of a stretched part draw: the box [low, high) shows the part
// [src, src + size) of an image `extent` pixels long. The whole image is
// placed with truncated scaled offsets; mirroring reflects it in the box.
AxisMap StretchedPartAxis(int low, int high, int src, int size, int extent, bool mirror) {
    const double scale = static_cast<double>(high - low) / size;
    const int start = ClampCoordinate(low - std::trunc(scale * src));
    const int end = ClampCoordinate(low + std::trunc(scale * (static_cast<double>(extent) - src)));
    if (!mirror) return {start, end, extent, false};
    return {low + high - end, low + high - start, extent, true};
}

}  // namespace

int DrawImageRectStretched(int x1, int y1, int x2, int y2, int srcX, int srcY, int width, int height,
                           int handle, int trans) {
    DrawScope scope;
    auto draw = BeginImageDraw(handle, trans);
    if (!draw) return -1;
    if (width <= 0 || height <= 0) return 0;
    if (!InRange(x1) || !InRange(y1) || !InRange(x2) || !InRange(y2) || !InRange(srcX) || !InRange(srcY))
        return 0;
    const ClipRect box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (box.Empty()) return 0;
    const AxisMap xs = StretchedPartAxis(box.left, box.right, srcX, width, draw->image->width, x2 < x1);
    const AxisMap ys = StretchedPartAxis(box.top, box.bottom, srcY, height, draw->image->height, y2 < y1);
    BlitImage(draw->target, Intersect(draw->area, box), *draw->image, xs, ys, draw->op);
    return 0;
}

int DrawImageRotated(int cx, int cy, double scale, double angle, int handle, int trans, int turn) {
    DrawScope scope;
    auto draw = BeginImageDraw(handle, trans);
    if (!draw) return -1;
    if (!InRange(cx) || !InRange(cy)) return 0;
    BlitRotated(draw->target, draw->area, *draw->image, cx, cy, scale, angle, turn != 0, draw->op);
    return 0;
}
