// SPDX-License-Identifier: GPL-3.0-or-later
// When an open message box counts as acknowledged: a confirming key or pad
// button pressed while the box is open (one already held when it opened must
// be let go first), or a click on its OK button; and when it may close, once
// that key is up again, so the press does not reach the game as well.
#pragma once

#include <cstdint>

#include "media/message_box/message_box_layout.h"

namespace media_detail {

// The keys and buttons that acknowledge a message box, one bit each.
enum ConfirmSource : uint32_t {
    kConfirmReturn = 1u << 0,
    kConfirmKeypadEnter = 1u << 1,
    kConfirmSpace = 1u << 2,
    kConfirmZ = 1u << 3,
    kConfirmEscape = 1u << 4,
    kConfirmPadButton1 = 1u << 5,
};

class Acknowledgement {
public:
    // heldAtOpen: the sources already down when the box opened.
    Acknowledgement(BoxRect okButton, uint32_t heldAtOpen) : okButton_(okButton), held_(heldAtOpen), stale_(heldAtOpen) {}

    // repeat: the system's auto-repeat of a key that is held.
    void Pressed(ConfirmSource source, bool repeat);
    void Released(ConfirmSource source);
    // The main pointer button, in the picture's coordinates.
    void PointerPressed(int x, int y);
    void PointerReleased(int x, int y);

    bool Acknowledged() const { return by_ != 0 || byPointer_; }
    // Acknowledged, and the key or button that did it is up again.
    bool Finished() const { return byPointer_ || (by_ != 0 && (held_ & by_) == 0); }

private:
    BoxRect okButton_;
    uint32_t held_ = 0;
    uint32_t stale_ = 0;  // held since before the box opened: not a press for it
    uint32_t by_ = 0;
    bool pointerOnButton_ = false;
    bool byPointer_ = false;
};

}  // namespace media_detail
