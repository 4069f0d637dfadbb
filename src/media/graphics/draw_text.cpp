// SPDX-License-Identifier: GPL-3.0-or-later
// DrawText and the font settings.
#include <algorithm>
#include <string>

#include "media/graphics/draw_state.h"
#include "media/graphics/pixel_ops.h"
#include "media/graphics/text_renderer.h"

using namespace media_detail;

namespace {

// Mixes color into the target wherever the mask covers it, scaled by the blend weight.
void PaintMask(const Surface& target, const ClipRect& area, const TextMask& mask, int left, int top,
               uint32_t color, uint32_t weight) {
    const ClipRect box = Intersect(area, {left, top, left + mask.width, top + mask.height});
    for (int y = box.top; y < box.bottom; ++y) {
        uint32_t* row = target.Row(y);
        const uint8_t* cover = mask.coverage.data() + static_cast<size_t>(y - top) * mask.width - left;
        for (int x = box.left; x < box.right; ++x) {
            const uint32_t w = Div255(cover[x] * weight);
            if (w != 0) row[x] = w == 255 ? color : Mix(color, row[x], w);
        }
    }
}

// The last text drawn: scenes draw the same words every frame, and
// rasterising them again each time would cost more than drawing them.
struct CachedText {
    std::string text;
    FontSettings font;
    TextMask mask;
    TextMask edge;
    bool valid = false;
};

const CachedText* Rasterise(const char* text, const FontSettings& font) {
    static CachedText cache;
    if (cache.valid && cache.text == text && cache.font.size == font.size && cache.font.type == font.type &&
        cache.font.thickness == font.thickness && cache.font.edgeSize == font.edgeSize)
        return &cache;
    cache.valid = false;
    if (!RenderTextMask(text, cache.mask)) return nullptr;
    const int edge = (font.type & 1) ? font.edgeSize : 0;
    cache.edge = edge > 0 ? GrowMask(cache.mask, edge) : TextMask{};
    cache.text = text;
    cache.font = font;
    cache.valid = true;
    return &cache;
}

}  // namespace

int DrawText(int x, int y, const char* text, int color, int edgeColor) {
    DrawScope scope;
    const Surface target = TargetSurface();
    if (!target || !text) return -1;
    if (*text == '\0') return 0;
    if (x <= -(1 << 29) || x >= (1 << 29) || y <= -(1 << 29) || y >= (1 << 29)) return 0;
    const DrawState& state = State();
    const CachedText* rendered = Rasterise(text, state.font);
    if (!rendered) return -1;
    const uint32_t weight = state.blendMode == 1 ? static_cast<uint32_t>(state.blendParam) : 255u;
    const ClipRect area = DrawingArea();
    // With an edge, (x, y) is the edge's top-left and the characters sit one
    // edge size further in.
    const int edge = (state.font.type & 1) ? state.font.edgeSize : 0;
    if (edge > 0) PaintMask(target, area, rendered->edge, x, y, static_cast<uint32_t>(edgeColor) & 0xFFFFFF, weight);
    PaintMask(target, area, rendered->mask, x + edge, y + edge, static_cast<uint32_t>(color) & 0xFFFFFF, weight);
    return 0;
}

int GetTextWidth(const char* text) {
    MediaLock lock(MediaMutex());
    if (!text) return -1;
    if (*text == '\0') return 0;
    const DrawState& state = State();
    const CachedText* rendered = Rasterise(text, state.font);
    if (!rendered) return -1;
    const int edge = (state.font.type & 1) ? state.font.edgeSize : 0;
    return rendered->mask.width + 2 * edge;
}

int SetFontSize(int size) {
    MediaLock lock(MediaMutex());
    State().font.size = size == -1 ? FontSettings::kDefaultSize : std::max(1, size);
    if (!BackBuffer().empty()) PrepareFont();
    return 0;
}

int SetFontType(int type) {
    MediaLock lock(MediaMutex());
    State().font.type = type == -1 ? FontSettings::kDefaultType : (type & 3);
    if (!BackBuffer().empty()) PrepareFont();
    return 0;
}
