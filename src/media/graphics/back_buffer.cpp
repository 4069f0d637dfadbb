// Minimal back buffer so the window part of the layer can run; the renderer
// replaces this file with the full drawing target management.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "media/media.h"
#include "media/media_internal.h"

namespace {
std::vector<uint32_t> g_backBuffer;
}

namespace media_detail {

bool GraphicsInit() {
    g_backBuffer.assign(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0);
    return true;
}

void GraphicsShutdown() { g_backBuffer.clear(); }

const uint32_t* BackBufferPixels() { return g_backBuffer.empty() ? nullptr : g_backBuffer.data(); }

void OnFrontScreenPresented() {}

}  // namespace media_detail

int ClearScreen() {
    if (g_backBuffer.empty()) return -1;
    std::fill(g_backBuffer.begin(), g_backBuffer.end(), 0u);
    return 0;
}

// Drawing defaults the game sets at start-up; the renderer gives them effect.
int SetDrawTarget(int target) { return target == kBackBuffer ? 0 : -1; }
int SetTransparentColor(int, int, int) { return 0; }
int SetFontType(int) { return 0; }
int SetFontSize(int) { return 0; }
