// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/graphics/draw_state.h"

#include <algorithm>

#include "media/graphics/image.h"
#include "media/platform/platform.h"

namespace media_detail {

DrawState& State() {
    static DrawState state;
    return state;
}

std::vector<uint32_t>& BackBuffer() {
    static std::vector<uint32_t> pixels;
    return pixels;
}

std::vector<uint32_t>& FrontScreen() {
    static std::vector<uint32_t> pixels;
    return pixels;
}

Surface SurfaceFor(int target) {
    if (target == kBackBuffer || target == kFrontScreen) {
        auto& pixels = target == kBackBuffer ? BackBuffer() : FrontScreen();
        if (pixels.empty()) return {};
        return {pixels.data(), kScreenWidth, kScreenHeight};
    }
    Image* image = FindImage(target);
    if (!image || !image->screenImage) return {};
    return image->AsSurface();
}

Surface TargetSurface() { return SurfaceFor(State().target); }

ClipRect DrawingArea() { return Intersect(State().clip, TargetSurface().Bounds()); }

DrawScope::~DrawScope() {
    Platform* platform = CurrentPlatform();
    if (drawsOnFront_ && platform && !FrontScreen().empty()) platform->Present(FrontScreen().data());
}

}  // namespace media_detail

using namespace media_detail;

int SetDrawTarget(int target) {
    MediaLock lock(MediaMutex());
    const Surface next = SurfaceFor(target);
    if (!next) return -1;
    DrawState& state = State();
    const Surface current = TargetSurface();
    if (!current || current.width != next.width || current.height != next.height) state.clip = next.Bounds();
    state.target = target;
    return 0;
}

int SetBlendMode(int mode, int param) {
    MediaLock lock(MediaMutex());
    DrawState& state = State();
    state.blendMode = mode == 1 ? 1 : 0;
    state.blendParam = std::clamp(param, 0, 255);
    return 0;
}

int SetDrawBrightness(int r, int g, int b) {
    MediaLock lock(MediaMutex());
    DrawState& state = State();
    state.brightR = std::clamp(r, 0, 255);
    state.brightG = std::clamp(g, 0, 255);
    state.brightB = std::clamp(b, 0, 255);
    return 0;
}

int SetTransparentColor(int r, int g, int b) {
    MediaLock lock(MediaMutex());
    State().transparentColor = static_cast<uint32_t>(MakeColor(r, g, b));
    return 0;
}

int MakeColor(int r, int g, int b) {
    return (std::clamp(r, 0, 255) << 16) | (std::clamp(g, 0, 255) << 8) | std::clamp(b, 0, 255);
}
