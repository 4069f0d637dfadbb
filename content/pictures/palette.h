// SPDX-License-Identifier: GPL-3.0-or-later
// The colours the pictures share, so the screens look like one game.
#pragma once

#include "picgen/canvas.h"

namespace pictures::palette {

using picgen::Hex;
using picgen::Rgba;

// Mark values 1-4, chosen to stay apart for the common kinds of colour
// blindness; the shapes and numerals on the tiles carry the value as well.
inline Rgba MarkColour(int value) {
    switch (value) {
        case 1: return Hex(0x2f7fd0);  // blue
        case 2: return Hex(0xf0a020);  // orange
        case 3: return Hex(0xd06aa8);  // reddish purple
        default: return Hex(0x16a37c);  // bluish green
    }
}

inline const Rgba kInk = Hex(0x1c1830);        // outlines
inline const Rgba kNight = Hex(0x141a38);      // deep backgrounds
inline const Rgba kPanel = Hex(0x243060);      // bars and plates
inline const Rgba kGold = Hex(0xf2c84b);
inline const Rgba kGoldDark = Hex(0xa8741c);
inline const Rgba kCream = Hex(0xfff6e0);
inline const Rgba kStone = Hex(0xd9cfbf);
inline const Rgba kStoneDark = Hex(0x8a7a68);

}  // namespace pictures::palette
