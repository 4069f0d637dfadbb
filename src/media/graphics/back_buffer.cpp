// SPDX-License-Identifier: GPL-3.0-or-later
// The back buffer, the front screen and the graphics part of start-up and
// shut-down.
#include <algorithm>

#include "media/graphics/draw_state.h"
#include "media/graphics/image.h"
#include "media/graphics/named_faces.h"
#include "media/graphics/text_renderer.h"
#include "media/media_internal.h"

namespace media_detail {

bool GraphicsInit() {
    const size_t count = static_cast<size_t>(kScreenWidth) * kScreenHeight;
    BackBuffer().assign(count, 0u);
    FrontScreen().assign(count, 0u);
    State() = DrawState{};
    CheckNamedFaces();  // a missing face is reported at start, not at the first text
    return true;
}

void GraphicsShutdown() {
    Images().Clear();
    ShutdownText();
    BackBuffer() = {};
    FrontScreen() = {};
    State() = DrawState{};
}

const uint32_t* BackBufferPixels() { return BackBuffer().empty() ? nullptr : BackBuffer().data(); }

const uint32_t* FrontScreenPixels() { return FrontScreen().empty() ? nullptr : FrontScreen().data(); }

void OnFrontScreenPresented() {
    if (!BackBuffer().empty()) FrontScreen() = BackBuffer();
}

}  // namespace media_detail

using namespace media_detail;

int ClearScreen() {
    DrawScope scope;
    const Surface target = TargetSurface();
    if (!target) return -1;
    std::fill(target.pixels, target.pixels + static_cast<size_t>(target.width) * target.height, 0u);
    return 0;
}

