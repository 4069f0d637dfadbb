// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette.h"

#include <array>

namespace {

using Kind = PaletteEntry::Kind;

constexpr std::array<PaletteEntry, 19> kPalette{{
    {Kind::Cell, CELL_EMPTY, "empty"},
    {Kind::Cell, CELL_MARK_1, "mark 1"},
    {Kind::Cell, CELL_MARK_2, "mark 2"},
    {Kind::Cell, CELL_MARK_3, "mark 3"},
    {Kind::Cell, CELL_MARK_4, "mark 4"},
    {Kind::Cell, CELL_GOAL_1, "goal 1"},
    {Kind::Cell, CELL_GOAL_2, "goal 2"},
    {Kind::Cell, CELL_GOAL_3, "goal 3"},
    {Kind::Cell, CELL_GOAL_4, "goal 4"},
    {Kind::Cell, CELL_FLOOR, "floor"},
    {Kind::Cell, CELL_WARP_A, "warp W"},
    {Kind::Cell, CELL_WARP_B, "warp M"},
    {Kind::Cell, CELL_ARROW_UP, "arrow up"},
    {Kind::Cell, CELL_ARROW_RIGHT, "arrow right"},
    {Kind::Cell, CELL_ARROW_DOWN, "arrow down"},
    {Kind::Cell, CELL_ARROW_LEFT, "arrow left"},
    {Kind::Cell, CELL_BURST, "burst"},
    {Kind::Cell, CELL_ERASER, "eraser"},
    {Kind::Start, CELL_FLOOR, "start"},
}};

}  // namespace

std::span<const PaletteEntry> Palette() { return kPalette; }

const PaletteEntry& PaletteEntryOfCode(std::uint8_t code) {
    for (const PaletteEntry& entry : kPalette) {
        if (entry.kind == Kind::Cell && entry.code == code) return entry;
    }
    return kPalette.front();
}

const PaletteEntry& StartTool() { return kPalette.back(); }
