// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/board.h"

void Board::ClearBorder() {
    // Rows below the screen are never used either; emptying them keeps the
    // invariant simple: only the playing area can hold anything.
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (!InPlayingArea(column, row)) Set(column, row, CELL_EMPTY);
        }
    }
}

int Board::CountMarks() const {
    int count = 0;
    for (int row = kFirstPlayRow; row <= kLastPlayRow; ++row) {
        for (int column = kFirstPlayColumn; column <= kLastPlayColumn; ++column) {
            if (IsMark(At(column, row))) ++count;
        }
    }
    return count;
}
