// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/display_fit.h"

#include <algorithm>

namespace media_detail {

int ChooseWindowScale(PixelSize usable, PixelSize frame, PixelSize screen) {
    if (screen.width <= 0 || screen.height <= 0) return 1;
    const int across = (usable.width - frame.width) / screen.width;
    const int down = (usable.height - frame.height) / screen.height;
    return std::max(1, std::min(across, down));
}

PixelSize CentredClientPosition(PixelRect usable, PixelSize client, FrameBorders frame) {
    const int outerWidth = client.width + frame.left + frame.right;
    const int outerHeight = client.height + frame.top + frame.bottom;
    const int x = usable.x + std::max(0, (usable.width - outerWidth) / 2);
    const int y = usable.y + std::max(0, (usable.height - outerHeight) / 2);
    return {x + frame.left, y + frame.top};
}

PixelRect LetterboxRect(PixelSize output, PixelSize screen) {
    if (output.width <= 0 || output.height <= 0 || screen.width <= 0 || screen.height <= 0) return {};
    const int scale = std::min(output.width / screen.width, output.height / screen.height);
    PixelSize shown{screen.width * scale, screen.height * scale};
    if (scale == 0) {
        // Too small for the picture: the side that binds fills the output.
        if (static_cast<long long>(output.width) * screen.height <= static_cast<long long>(output.height) * screen.width)
            shown = {output.width, static_cast<int>(static_cast<long long>(output.width) * screen.height / screen.width)};
        else
            shown = {static_cast<int>(static_cast<long long>(output.height) * screen.width / screen.height), output.height};
    }
    return {(output.width - shown.width) / 2, (output.height - shown.height) / 2, shown.width, shown.height};
}

PixelSize PointerToScreen(int x, int y, PixelSize window, PixelSize output, PixelSize screen) {
    const PixelRect shown = LetterboxRect(output, screen);
    if (window.width <= 0 || window.height <= 0 || shown.width <= 0 || shown.height <= 0) return {x, y};
    // Window points to output pixels, then output pixels to screen pixels.
    const long long px = static_cast<long long>(x) * output.width / window.width - shown.x;
    const long long py = static_cast<long long>(y) * output.height / window.height - shown.y;
    auto floorDiv = [](long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return {static_cast<int>(floorDiv(px * screen.width, shown.width)),
            static_cast<int>(floorDiv(py * screen.height, shown.height))};
}

}  // namespace media_detail
