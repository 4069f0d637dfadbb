// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/message_box/message_box_layout.h"

#include <algorithm>

namespace media_detail {

namespace {

constexpr int kSidePadding = 28;
constexpr int kTitlePadding = 10;  // above and below the caption
constexpr int kTextGap = 18;       // between the rule and the text, and the text and the button
constexpr int kLineGap = 6;
constexpr int kMinPanelWidth = 288;
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 34;
constexpr int kBottomPadding = 18;
constexpr int kScreenMargin = 12;

BoxRect Centred(int centreX, int y, int w, int h) { return BoxRect{centreX - w / 2, y, w, h}; }

}  // namespace

MessageBoxLayout LayOutMessageBox(const std::string& caption, const std::string& text, const MessageBoxMetrics& metrics,
                                  int screenWidth, int screenHeight) {
    MessageBoxLayout layout;
    const int maxText = std::min(kMessageTextMaxWidth, screenWidth - 2 * (kScreenMargin + kSidePadding));
    layout.lines = WrapTextEvenly(text, maxText, metrics.textWidth);

    const int lineStep = metrics.textLineHeight + kLineGap;
    const int fixedHeight = 2 * kTitlePadding + metrics.captionHeight + 1 + 2 * kTextGap + kButtonHeight + kBottomPadding;
    // A text too long for the screen shows as much as fits.
    const int roomForLines = std::max(1, (screenHeight - 2 * kScreenMargin - fixedHeight + kLineGap) / std::max(1, lineStep));
    if (static_cast<int>(layout.lines.size()) > roomForLines) layout.lines.resize(static_cast<size_t>(roomForLines));

    std::vector<int> widths;
    int widest = std::min(metrics.captionWidth(caption), maxText);
    for (const std::string& line : layout.lines) {
        widths.push_back(std::min(metrics.textWidth(line), maxText));
        widest = std::max(widest, widths.back());
    }
    const int lineCount = static_cast<int>(layout.lines.size());
    const int textHeight = lineCount * lineStep - kLineGap;

    layout.panel.w = std::max(kMinPanelWidth, widest + 2 * kSidePadding);
    layout.panel.h = fixedHeight + textHeight;
    layout.panel.x = (screenWidth - layout.panel.w) / 2;
    layout.panel.y = (screenHeight - layout.panel.h) / 2;
    const int centreX = layout.panel.x + layout.panel.w / 2;

    int y = layout.panel.y + kTitlePadding;
    layout.caption = Centred(centreX, y, std::min(metrics.captionWidth(caption), maxText), metrics.captionHeight);
    y += metrics.captionHeight + kTitlePadding;
    layout.separatorY = y;
    y += 1 + kTextGap;
    for (int i = 0; i < lineCount; ++i) {
        layout.lineBoxes.push_back(Centred(centreX, y, widths[static_cast<size_t>(i)], metrics.textLineHeight));
        y += lineStep;
    }
    y += kTextGap - kLineGap;
    layout.button = Centred(centreX, y, kButtonWidth, kButtonHeight);
    const int labelWidth = metrics.buttonWidth(kMessageButtonLabel);
    layout.buttonLabel = Centred(centreX, y + (kButtonHeight - metrics.buttonTextHeight) / 2, labelWidth,
                                 metrics.buttonTextHeight);
    return layout;
}

}  // namespace media_detail
