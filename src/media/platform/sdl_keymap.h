// SPDX-License-Identifier: GPL-3.0-or-later
// SDL scancodes onto the layer's key codes (keyboard set-1 codes, 0x80 added
// for the extended keys).
#pragma once

#include <SDL.h>

#include <cstdint>

namespace media_detail {

// 0 for keys without a code.
uint8_t KeyCodeForScancode(SDL_Scancode scancode);

}  // namespace media_detail
