// SPDX-License-Identifier: GPL-3.0-or-later
// The undo and redo buttons, paced like a held direction: a button acts on
// the frame it goes down and, while it stays held, again every 10 frames.
// The frame loop reports buttons only on the frame they go down, so while a
// button may still be held the caller also passes the bits held now.
#pragma once

#include <cstdint>

// The pad bits of the two buttons (button 4: key A; button 5: key S).
constexpr std::uint32_t kUndoPadBit = 0x80;
constexpr std::uint32_t kRedoPadBit = 0x100;
// Frames between the repeats of a held button.
constexpr int kUndoRepeatFrames = 10;

enum class UndoAction : std::uint8_t { None, Undo, Redo };

class UndoInput {
public:
    // True while a button pressed earlier may still be held: Next then needs
    // the bits held this frame.
    bool Tracking() const { return button_ != 0; }
    // Called once a frame with the newly pressed bits and, while Tracking(),
    // the held bits. Undo wins when both buttons go down together; a button
    // going down takes over from one held before.
    UndoAction Next(std::uint32_t pressed, std::uint32_t held);

private:
    std::uint32_t button_ = 0;  // the button being held, 0 for none
    int heldFrames_ = 0;        // frames it has been held since it went down
};
