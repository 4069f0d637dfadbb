// SPDX-License-Identifier: GPL-3.0-or-later
// The picture shown while a message box is open: the frame the player was
// looking at, dimmed, with the box drawn over it in the game's colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/message_box/message_box_layout.h"

namespace media_detail {

struct MessageBoxPicture {
    std::vector<uint32_t> pixels;  // width x height, 0x00RRGGBB; empty when no font could be opened
    MessageBoxLayout layout;
};

// frame: width x height pixels, or null for a black one.
MessageBoxPicture DrawMessageBoxPicture(const uint32_t* frame, int width, int height, const std::string& caption,
                                        const std::string& text);

// The pixel sizes of the box's texts.
inline constexpr int kMessageCaptionPixels = 22;
inline constexpr int kMessageTextPixels = 20;
inline constexpr int kMessageButtonPixels = 18;

}  // namespace media_detail
