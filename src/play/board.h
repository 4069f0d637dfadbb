// SPDX-License-Identifier: GPL-3.0-or-later
// The board of one stage: a grid of one-byte cell codes, 20 cells to a row,
// with room for 30 rows of which the screen shows 15. Pure data: the stage
// reader fills it, the tile rules change it, the map scene draws it.
#pragma once

#include <array>
#include <cstdint>

// Cell codes. Every code except CELL_EMPTY can be entered; codes above
// CELL_ERASER are walkable and have no effect.
enum CellCode : std::uint8_t {
    CELL_EMPTY = 0,
    CELL_MARK_1 = 1,  // marks carry their value 1..4
    CELL_MARK_2 = 2,
    CELL_MARK_3 = 3,
    CELL_MARK_4 = 4,
    CELL_GOAL_1 = 5,  // goal for marks showing 1; goals 6..8 for 2..4
    CELL_GOAL_2 = 6,
    CELL_GOAL_3 = 7,
    CELL_GOAL_4 = 8,
    CELL_FLOOR = 9,
    CELL_WARP_A = 10,  // warps of the same code are partners
    CELL_WARP_B = 11,
    CELL_ARROW_UP = 12,
    CELL_ARROW_RIGHT = 13,
    CELL_ARROW_DOWN = 14,
    CELL_ARROW_LEFT = 15,
    CELL_BURST = 16,
    CELL_ERASER = 17,
};

// Highest mark value a stage can count up to.
constexpr std::uint8_t kMaxMarkLimit = 4;

constexpr bool IsMark(std::uint8_t code) { return code >= CELL_MARK_1 && code <= CELL_MARK_4; }
constexpr bool IsGoal(std::uint8_t code) { return code >= CELL_GOAL_1 && code <= CELL_GOAL_4; }
constexpr bool IsWarp(std::uint8_t code) { return code == CELL_WARP_A || code == CELL_WARP_B; }
constexpr bool IsArrow(std::uint8_t code) { return code >= CELL_ARROW_UP && code <= CELL_ARROW_LEFT; }
// The mark value a goal asks for.
constexpr std::uint8_t GoalValue(std::uint8_t goalCode) { return static_cast<std::uint8_t>(goalCode - 4); }

// A cell of the board by column and row.
struct BoardCell {
    int column = 0;
    int row = 0;
    bool operator==(const BoardCell&) const = default;
};

class Board {
public:
    static constexpr int kColumns = 20;      // row stride, and the screen's width in cells
    static constexpr int kRows = 30;         // rows the grid has room for
    static constexpr int kScreenRows = 15;   // rows the screen shows
    static constexpr int kCellPixels = 32;
    // The playing area; every cell around it is empty after loading.
    static constexpr int kFirstPlayColumn = 2;
    static constexpr int kLastPlayColumn = 17;
    static constexpr int kFirstPlayRow = 2;
    static constexpr int kLastPlayRow = 11;
    static constexpr int kPlayColumns = kLastPlayColumn - kFirstPlayColumn + 1;  // 16
    static constexpr int kPlayRows = kLastPlayRow - kFirstPlayRow + 1;           // 10

    static constexpr bool InGrid(int column, int row) {
        return column >= 0 && column < kColumns && row >= 0 && row < kRows;
    }
    static constexpr bool InPlayingArea(int column, int row) {
        return column >= kFirstPlayColumn && column <= kLastPlayColumn && row >= kFirstPlayRow &&
               row <= kLastPlayRow;
    }

    // The code at (column, row); CELL_EMPTY outside the grid.
    std::uint8_t At(int column, int row) const {
        return InGrid(column, row) ? cells_[Index(column, row)] : std::uint8_t{CELL_EMPTY};
    }
    std::uint8_t At(BoardCell cell) const { return At(cell.column, cell.row); }
    // Writes a code; writes outside the grid are ignored.
    void Set(int column, int row, std::uint8_t code) {
        if (InGrid(column, row)) cells_[Index(column, row)] = code;
    }
    void Set(BoardCell cell, std::uint8_t code) { Set(cell.column, cell.row, code); }

    // Empties every cell.
    void Clear() { cells_.fill(CELL_EMPTY); }
    // Empties every cell outside the playing area.
    void ClearBorder();
    // Number of cells in the playing area holding a mark.
    int CountMarks() const;

    // The raw grid, element row * kColumns + column.
    const std::array<std::uint8_t, kColumns * kRows>& Cells() const { return cells_; }

    bool operator==(const Board&) const = default;

private:
    static constexpr int Index(int column, int row) { return row * kColumns + column; }

    std::array<std::uint8_t, kColumns * kRows> cells_{};
};
