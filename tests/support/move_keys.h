// SPDX-License-Identifier: GPL-3.0-or-later
// The key that plays one move of a solver's solution ('L', 'U', 'R', 'D').
#pragma once

#include "media/media.h"

inline int KeyOf(char move) {
    switch (move) {
        case 'L': return KEY_LEFT;
        case 'U': return KEY_UP;
        case 'R': return KEY_RIGHT;
        default: return KEY_DOWN;
    }
}
