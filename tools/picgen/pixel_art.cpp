// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/pixel_art.h"

#include <algorithm>

namespace picgen {

Canvas FromPixelArt(const std::vector<std::string>& rows, const std::map<char, Rgba>& palette) {
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    Canvas out(static_cast<int>(width), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            auto it = palette.find(rows[y][x]);
            if (it != palette.end()) out.At(static_cast<int>(x), static_cast<int>(y)) = it->second;
        }
    }
    return out;
}

}  // namespace picgen
