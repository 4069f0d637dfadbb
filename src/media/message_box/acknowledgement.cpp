// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/message_box/acknowledgement.h"

namespace media_detail {

void Acknowledgement::Pressed(ConfirmSource source, bool repeat) {
    const bool wasHeld = (held_ & source) != 0;
    held_ |= source;
    if (repeat || wasHeld || (stale_ & source) || Acknowledged()) return;
    by_ = source;
}

void Acknowledgement::Released(ConfirmSource source) {
    held_ &= ~static_cast<uint32_t>(source);
    stale_ &= ~static_cast<uint32_t>(source);
}

void Acknowledgement::PointerPressed(int x, int y) { pointerOnButton_ = okButton_.Contains(x, y); }

void Acknowledgement::PointerReleased(int x, int y) {
    // Like any push button: pressed and let go on it.
    if (pointerOnButton_ && okButton_.Contains(x, y) && !Acknowledged()) byPointer_ = true;
    pointerOnButton_ = false;
}

}  // namespace media_detail
