// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/undo_input.h"

#include <initializer_list>

namespace {

UndoAction ActionOf(std::uint32_t button) {
    return button == kUndoPadBit ? UndoAction::Undo : UndoAction::Redo;
}

}  // namespace

UndoAction UndoInput::Next(std::uint32_t pressed, std::uint32_t held) {
    for (std::uint32_t button : {kUndoPadBit, kRedoPadBit}) {
        if (pressed & button) {
            button_ = button;
            heldFrames_ = 0;
            return ActionOf(button);
        }
    }
    if (button_ == 0) return UndoAction::None;
    if (!(held & button_)) {
        button_ = 0;
        return UndoAction::None;
    }
    ++heldFrames_;
    return heldFrames_ % kUndoRepeatFrames == 0 ? ActionOf(button_) : UndoAction::None;
}
