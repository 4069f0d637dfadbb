// DrawText and the font settings.
#include <algorithm>

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

}  // namespace

int DrawText(int x, int y, const char* text, int color, int edgeColor) {
    DrawScope scope;
    const Surface target = TargetSurface();
    if (!target || !text) return -1;
    if (*text == '\0') return 0;
    if (x <= -(1 << 29) || x >= (1 << 29) || y <= -(1 << 29) || y >= (1 << 29)) return 0;
    TextMask mask;
    if (!RenderTextMask(text, mask)) return -1;
    const DrawState& state = State();
    const uint32_t weight = state.blendMode == 1 ? static_cast<uint32_t>(state.blendParam) : 255u;
    const ClipRect area = DrawingArea();
    // With an edge, (x, y) is the edge's top-left and the characters sit one
    // edge size further in.
    const int edge = (state.font.type & 1) ? state.font.edgeSize : 0;
    if (edge > 0)
        PaintMask(target, area, GrowMask(mask, edge), x, y, static_cast<uint32_t>(edgeColor) & 0xFFFFFF, weight);
    PaintMask(target, area, mask, x + edge, y + edge, static_cast<uint32_t>(color) & 0xFFFFFF, weight);
    return 0;
}

int SetFontSize(int size) {
    MediaLock lock(MediaMutex());
    State().font.size = size == -1 ? FontSettings::kDefaultSize : std::max(1, size);
    return 0;
}

int SetFontType(int type) {
    MediaLock lock(MediaMutex());
    State().font.type = type == -1 ? FontSettings::kDefaultType : (type & 3);
    return 0;
}
