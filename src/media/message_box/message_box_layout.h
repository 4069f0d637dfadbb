// SPDX-License-Identifier: GPL-3.0-or-later
// Where the parts of a message box go on the 640x480 picture: a pure
// function of the texts and the fonts' measures.
#pragma once

#include <string>
#include <vector>

#include "media/message_box/text_wrap.h"

namespace media_detail {

struct BoxRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The measures of the box's three fonts.
struct MessageBoxMetrics {
    MeasureText captionWidth;
    int captionHeight = 0;
    MeasureText textWidth;
    int textLineHeight = 0;
    MeasureText buttonWidth;
    int buttonTextHeight = 0;
};

struct MessageBoxLayout {
    BoxRect panel;
    BoxRect caption;                 // the caption's own box, centred in the title row
    int separatorY = 0;              // the rule under the title row
    std::vector<std::string> lines;  // the text, wrapped
    std::vector<BoxRect> lineBoxes;  // one per line, each centred
    BoxRect button;
    BoxRect buttonLabel;
};

// The widest a line of the text may be.
inline constexpr int kMessageTextMaxWidth = 320;
// The OK button's label.
inline constexpr const char* kMessageButtonLabel = "OK";

MessageBoxLayout LayOutMessageBox(const std::string& caption, const std::string& text, const MessageBoxMetrics& metrics,
                                  int screenWidth, int screenHeight);

}  // namespace media_detail
