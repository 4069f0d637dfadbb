// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/blit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/graphics/span.h"

namespace media_detail {

void BlitImage(const Surface& dst, const ClipRect& clip, const Image& image, const AxisMap& xs,
               const AxisMap& ys, const PixelOp& op) {
    if (xs.end <= xs.start || ys.end <= ys.start || image.width <= 0 || image.height <= 0) return;
    const ClipRect area = Intersect(Intersect(clip, dst.Bounds()), {xs.start, ys.start, xs.end, ys.end});
    if (area.Empty()) return;
    const int n = area.Width();
    const bool direct = xs.Unscaled() && !xs.mirror;
    const bool wantAlpha = op.useAlpha && image.hasAlpha;

    // Scaled or mirrored rows are gathered into a contiguous run first.
    std::vector<int> columns;
    std::vector<uint32_t> gathered;
    std::vector<uint8_t> gatheredAlpha;
    if (!direct) {
        columns.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) columns[i] = xs.Source(area.left + i);
        gathered.resize(static_cast<size_t>(n));
        if (wantAlpha) gatheredAlpha.resize(static_cast<size_t>(n));
    }

    for (int y = area.top; y < area.bottom; ++y) {
        const size_t rowStart = static_cast<size_t>(ys.Source(y)) * static_cast<size_t>(image.width);
        const uint32_t* srcRow = image.pixels.data() + rowStart;
        const uint8_t* alphaRow = wantAlpha ? image.alpha.data() + rowStart : nullptr;
        uint32_t* out = dst.Row(y) + area.left;
        if (direct) {
            const int offset = area.left - xs.start;
            CombineSpan(out, srcRow + offset, alphaRow ? alphaRow + offset : nullptr, n, op);
            continue;
        }
        for (int i = 0; i < n; ++i) gathered[i] = srcRow[columns[i]];
        if (alphaRow)
            for (int i = 0; i < n; ++i) gatheredAlpha[i] = alphaRow[columns[i]];
        CombineSpan(out, gathered.data(), alphaRow ? gatheredAlpha.data() : nullptr, n, op);
    }
}

namespace {

constexpr double kFixedOne = 4294967296.0;  // 32 fractional bits

int ClampToInt(double v) { return static_cast<int>(std::clamp(v, -1.0e9, 1.0e9)); }

}  // namespace

void BlitRotated(const Surface& dst, const ClipRect& clip, const Image& image, int cx, int cy,
                 double scale, double angle, bool mirror, const PixelOp& op) {
    if (!(scale > 0.0) || !std::isfinite(scale) || !std::isfinite(angle)) return;
    if (image.width <= 0 || image.height <= 0) return;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int halfW = image.width / 2;
    const int halfH = image.height / 2;

    // Bounding box of the turned image on the target.
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const double px : {-static_cast<double>(halfW), static_cast<double>(image.width - halfW)}) {
        for (const double py : {-static_cast<double>(halfH), static_cast<double>(image.height - halfH)}) {
            const double x = cx + scale * (px * c - py * s);
            const double y = cy + scale * (px * s + py * c);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    const ClipRect box{ClampToInt(std::floor(minX)), ClampToInt(std::floor(minY)),
                       ClampToInt(std::ceil(maxX)) + 1, ClampToInt(std::ceil(maxY)) + 1};
    const ClipRect area = Intersect(Intersect(clip, dst.Bounds()), box);
    if (area.Empty()) return;

    // Target pixel centre (x + 1/2, y + 1/2) maps back to the image point
    // centre + R(-angle) (x + 1/2 - cx, y + 1/2 - cy) / scale.
    const double stepU = c / scale;
    const double stepV = -s / scale;
    const auto fixedStepU = static_cast<int64_t>(std::llround(stepU * kFixedOne));
    const auto fixedStepV = static_cast<int64_t>(std::llround(stepV * kFixedOne));
    const uint64_t width = static_cast<uint64_t>(image.width);
    const uint64_t height = static_cast<uint64_t>(image.height);
    const bool wantAlpha = op.useAlpha && image.hasAlpha;

    std::vector<uint32_t> run(static_cast<size_t>(area.Width()));
    std::vector<uint8_t> runAlpha(wantAlpha ? run.size() : 0);
    for (int y = area.top; y < area.bottom; ++y) {
        const double dx = area.left + 0.5 - cx;
        const double dy = y + 0.5 - cy;
        const double u0 = halfW + (c * dx + s * dy) / scale;
        const double v0 = halfH + (-s * dx + c * dy) / scale;
        if (std::fabs(u0) > 1e9 || std::fabs(v0) > 1e9) continue;
        auto u = static_cast<int64_t>(std::floor(u0 * kFixedOne));
        auto v = static_cast<int64_t>(std::floor(v0 * kFixedOne));
        int first = -1;
        int count = 0;
        for (int x = area.left; x < area.right; ++x, u += fixedStepU, v += fixedStepV) {
            const int64_t iu = u >> 32;
            const int64_t iv = v >> 32;
            if (static_cast<uint64_t>(iu) >= width || static_cast<uint64_t>(iv) >= height) {
                if (first >= 0) break;  // the covered pixels of a row are one run
                continue;
            }
            if (first < 0) first = x;
            const int64_t column = mirror ? image.width - 1 - iu : iu;
            const size_t at = static_cast<size_t>(iv) * width + static_cast<size_t>(column);
            run[count] = image.pixels[at];
            if (wantAlpha) runAlpha[count] = image.alpha[at];
            ++count;
        }
        if (count > 0)
            CombineSpan(dst.Row(y) + first, run.data(), wantAlpha ? runAlpha.data() : nullptr, count, op);
    }
}

void FillRect(const Surface& dst, const ClipRect& rect, uint32_t color, uint32_t weight) {
    const ClipRect area = Intersect(rect, dst.Bounds());
    if (area.Empty() || weight == 0) return;
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = dst.Row(y);
        if (weight >= 255) {
            std::fill(row + area.left, row + area.right, color);
        } else {
            for (int x = area.left; x < area.right; ++x) row[x] = Mix(color, row[x], weight);
        }
    }
}

}  // namespace media_detail
