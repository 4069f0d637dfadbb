// SPDX-License-Identifier: GPL-3.0-or-later
// Filled and outlined boxes.
#include "media/graphics/blit.h"
#include "media/graphics/draw_state.h"

using namespace media_detail;

int DrawBox(int x1, int y1, int x2, int y2, int color, int fill) {
    DrawScope scope;
    const Surface target = TargetSurface();
    if (!target) return -1;
    const ClipRect area = DrawingArea();
    const DrawState& state = State();
    const uint32_t weight = state.blendMode == 1 ? static_cast<uint32_t>(state.blendParam) : 255u;
    const uint32_t rgb = static_cast<uint32_t>(color) & 0xFFFFFF;
    const ClipRect box{x1, y1, x2, y2};
    if (box.Empty()) return 0;
    if (fill) {
        FillRect(target, Intersect(area, box), rgb, weight);
        return 0;
    }
    // Rows y1 and y2 - 1, then columns x1 and x2 - 1 between them; each pixel
    // once, so a blended border has no darker corners.
    FillRect(target, Intersect(area, {x1, y1, x2, y1 + 1}), rgb, weight);
    if (y2 - 1 > y1) FillRect(target, Intersect(area, {x1, y2 - 1, x2, y2}), rgb, weight);
    if (y2 - 2 > y1) {
        FillRect(target, Intersect(area, {x1, y1 + 1, x1 + 1, y2 - 1}), rgb, weight);
        if (x2 - 1 > x1) FillRect(target, Intersect(area, {x2 - 1, y1 + 1, x2, y2 - 1}), rgb, weight);
    }
    return 0;
}
