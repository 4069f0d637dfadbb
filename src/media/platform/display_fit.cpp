#include "media/platform/display_fit.h"

#include <algorithm>

namespace media_detail {

int ChooseWindowScale(PixelSize usable, PixelSize frame, PixelSize screen) {
    if (screen.width <= 0 || screen.height <= 0) return 1;
    const int across = (usable.width - frame.width) / screen.width;
    const int down = (usable.height - frame.height) / screen.height;
    return std::max(1, std::min(across, down));
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

}  // namespace media_detail
