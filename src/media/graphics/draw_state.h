// SPDX-License-Identifier: GPL-3.0-or-later
// Process-wide draw state: target, drawing area, blending, brightness,
// transparent colour and font settings.
#pragma once

#include <cstdint>
#include <vector>

#include "media/graphics/surface.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace media_detail {

struct FontSettings {
    static constexpr int kDefaultSize = 16;
    static constexpr int kDefaultThickness = 6;
    static constexpr int kDefaultType = 0;
    int size = kDefaultSize;
    int thickness = kDefaultThickness;  // weight = thickness x 100
    int type = kDefaultType;            // bit 0 edge, bit 1 anti-aliasing
    int edgeSize = 1;
};

struct DrawState {
    int target = kBackBuffer;
    ClipRect clip{0, 0, kScreenWidth, kScreenHeight};
    int blendMode = 0;
    int blendParam = 255;
    int brightR = 255;
    int brightG = 255;
    int brightB = 255;
    uint32_t transparentColor = 0;
    FontSettings font;
};

DrawState& State();

// The back buffer and the copy of what the window currently shows; empty
// vectors while graphics is not running.
std::vector<uint32_t>& BackBuffer();
std::vector<uint32_t>& FrontScreen();

// The pixels a screen id or screen-image handle names (empty for anything else).
Surface SurfaceFor(int target);
// The current draw target and the drawing area clipped to it.
Surface TargetSurface();
ClipRect DrawingArea();

// Holds the layer's lock for one drawing operation; when the operation drew
// on the front screen, the window shows the result as it ends.
class DrawScope {
public:
    // Draws on the current target.
    DrawScope() : drawsOnFront_(State().target == kFrontScreen) {}
    // Draws on the given screen id or image.
    explicit DrawScope(int target) : drawsOnFront_(target == kFrontScreen) {}
    ~DrawScope();
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;

private:
    MediaLock lock_{MediaMutex()};
    bool drawsOnFront_;
};

}  // namespace media_detail
