// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL side of an open message box: which keys and buttons acknowledge it.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "media/message_box/acknowledgement.h"

namespace media_detail {

// The confirming keys held now.
uint32_t HeldConfirmKeys();
// Passes a key, pad button or pointer event on to the box's acknowledgement.
void FeedAcknowledgement(Acknowledgement& acknowledgement, const SDL_Event& event);

}  // namespace media_detail
