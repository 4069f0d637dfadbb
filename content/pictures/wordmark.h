// SPDX-License-Identifier: GPL-3.0-or-later
// The game's name drawn as its logo lettering, and the four-gem emblem.
#pragma once

#include "picgen/canvas.h"

namespace pictures {

// "VELTRIM" in gold with a dark rim, centred on cx with its top at y.
void Wordmark(picgen::Canvas& c, float cx, float y, int pixelSize);
// Four gems in the mark colours, arranged as a diamond around (cx, cy).
void Emblem(picgen::Canvas& c, float cx, float cy, float size);

}  // namespace pictures
