// SPDX-License-Identifier: GPL-3.0-or-later
// The painting tools of the stage editor: every cell code a stage may hold,
// and the start cell.
#pragma once

#include "play/board.h"

#include <cstdint>
#include <span>

// One tool of the palette.
struct PaletteEntry {
    enum class Kind { Cell, Start };
    Kind kind = Kind::Cell;
    std::uint8_t code = CELL_EMPTY;  // the code painted (Cell only)
    const char* name = "";           // English, for the tool tip and the tests
};

// Empty, marks 1-4, goals 5-8, floor, both warps, the four arrows, burst,
// eraser, then the start cell: the order the palette shows them in.
std::span<const PaletteEntry> Palette();
// The palette's entry for painting a cell code.
const PaletteEntry& PaletteEntryOfCode(std::uint8_t code);
// The entry that places the start cell.
const PaletteEntry& StartTool();
