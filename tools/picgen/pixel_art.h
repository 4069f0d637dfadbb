// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures written as text: one character per pixel, looked up in a palette.
// Characters missing from the palette are left transparent.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "picgen/canvas.h"

namespace picgen {

Canvas FromPixelArt(const std::vector<std::string>& rows, const std::map<char, Rgba>& palette);

}  // namespace picgen
