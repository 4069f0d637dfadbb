// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/info_panel.h"

#include "media/media.h"

namespace {

// The panel lies under the playing area, right of the mark cycle's plate,
// its bottom just above the background's key line.
constexpr int kPanelLeft = 214;
constexpr int kPanelBottom = 456;
constexpr int kPanelRight = 634;
constexpr int kLineHeight = 20;
constexpr int kPanelPadding = 8;

}  // namespace

void DrawInfoPanel(const std::vector<std::string>& lines, int colour) {
    int shown = 0;
    for (const std::string& line : lines) shown += line.empty() ? 0 : 1;
    const int bottom = kPanelBottom;
    const int top = bottom - 2 * kPanelPadding - kLineHeight * shown;
    SetBlendMode(1, 216);
    DrawBox(kPanelLeft, top, kPanelRight, bottom, colour, 1);
    SetBlendMode(0, 0);
    const int white = MakeColor(255, 255, 255);
    DrawBox(kPanelLeft, top, kPanelRight, bottom, white, 0);
    int y = top + kPanelPadding;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        DrawText(kPanelLeft + kPanelPadding, y, line.c_str(), white, 0);
        y += kLineHeight;
    }
}
