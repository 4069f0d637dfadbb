// SPDX-License-Identifier: GPL-3.0-or-later
// Copies between the screens and images with no blending, tint or
// transparency: CaptureScreen and CopyImageRect.
#include <algorithm>
#include <cstring>
#include <vector>

#include "media/graphics/blit.h"
#include "media/graphics/draw_state.h"
#include "media/graphics/image.h"

using namespace media_detail;

int CaptureScreen(int x1, int y1, int x2, int y2, int handle, int /*flag*/) {
    MediaLock lock(MediaMutex());
    Image* image = FindImage(handle);
    const Surface source = TargetSurface();
    if (!image || !image->screenImage || !source) return -1;
    const ClipRect rect{x1, y1, x2, y2};
    if (rect.Empty() || !(Intersect(rect, source.Bounds()) == rect)) return -1;
    if (rect.Width() != image->width || rect.Height() != image->height) return -1;
    if (image->pixels.data() == source.pixels) return 0;  // the image is the target: already in place
    for (int y = 0; y < rect.Height(); ++y)
        std::memcpy(image->pixels.data() + static_cast<size_t>(y) * image->width, source.Row(y1 + y) + x1,
                    static_cast<size_t>(rect.Width()) * sizeof(uint32_t));
    return 0;
}

namespace {

// The pixels of a screen id or any image (copies may read and write every image).
struct CopySurface {
    Surface surface;
    Image* image = nullptr;
};

bool ResolveCopySurface(int id, CopySurface& out) {
    if (id == kBackBuffer || id == kFrontScreen) {
        out.surface = SurfaceFor(id);
        return static_cast<bool>(out.surface);
    }
    out.image = FindImage(id);
    if (!out.image) return false;
    out.surface = out.image->AsSurface();
    return true;
}

}  // namespace

int CopyImageRect(const Rect* src, const Rect* dst, int srcImage, int dstImage) {
    DrawScope scope(dstImage);
    CopySurface from, to;
    if (!src || !dst || !ResolveCopySurface(srcImage, from) || !ResolveCopySurface(dstImage, to)) return -1;
    const ClipRect srcRect{src->left, src->top, src->right, src->bottom};
    const ClipRect dstRect{dst->left, dst->top, dst->right, dst->bottom};
    if (srcRect.Empty() || dstRect.Empty()) return 0;

    // Nearest source pixel under each target pixel centre; equal sizes give an
    // exact copy. Target pixels whose source lies outside the source are skipped.
    const AxisMap xs{dstRect.left, dstRect.right, srcRect.Width(), false};
    const AxisMap ys{dstRect.top, dstRect.bottom, srcRect.Height(), false};
    const ClipRect area = Intersect(dstRect, to.surface.Bounds());
    if (area.Empty()) return 0;

    // Read from a snapshot when source and target share pixels.
    std::vector<uint32_t> snapshot;
    Surface reader = from.surface;
    if (from.surface.pixels == to.surface.pixels) {
        snapshot.assign(from.surface.pixels,
                        from.surface.pixels + static_cast<size_t>(from.surface.width) * from.surface.height);
        reader.pixels = snapshot.data();
    }
    const bool copyAlpha = from.image && to.image && from.image->hasAlpha && to.image->hasAlpha;
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy = srcRect.top + ys.Source(y);
        if (sy < 0 || sy >= reader.height) continue;
        uint32_t* out = to.surface.Row(y);
        const uint32_t* in = reader.Row(sy);
        for (int x = area.left; x < area.right; ++x) {
            const int sx = srcRect.left + xs.Source(x);
            if (sx < 0 || sx >= reader.width) continue;
            out[x] = in[sx];
            if (copyAlpha)
                to.image->alpha[static_cast<size_t>(y) * to.surface.width + x] =
                    from.image->alpha[static_cast<size_t>(sy) * reader.width + sx];
        }
    }
    return 0;
}
