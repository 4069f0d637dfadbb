// SPDX-License-Identifier: GPL-3.0-or-later
// A board being drafted, in stage source characters, and the small
// deterministic random generator every draft is drawn with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// splitmix64, so runs repeat everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    template <typename T>
    const T& Pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
    }

private:
    std::uint64_t state_;
};

struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell& other) const { return column == other.column && row == other.row; }
};

constexpr int kDeltaColumn[] = {-1, 0, 1, 0};
constexpr int kDeltaRow[] = {0, -1, 0, 1};
constexpr char kArrowOfDirection[] = {'<', '^', '>', 'v'};

inline bool IsMarkChar(char c) { return c >= '1' && c <= '4'; }
inline bool IsArrowChar(char c) { return c == '<' || c == '^' || c == '>' || c == 'v'; }

// The board inside a box placed in the playing area's top-left corner.
class Sketch {
public:
    Sketch() = default;
    Sketch(int columns, int rows) : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows), '.') {}
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool Inside(Cell c) const { return c.column >= 0 && c.row >= 0 && c.column < columns_ && c.row < rows_; }
    // Reads give '.' outside the box; writes must be inside it.
    char At(Cell c) const { return Inside(c) ? cells_[static_cast<std::size_t>(c.row * columns_ + c.column)] : '.'; }
    void Put(Cell c, char what) { cells_[static_cast<std::size_t>(c.row * columns_ + c.column)] = what; }

    // Every cell of the box holding something other than '.'.
    std::vector<Cell> Walkable() const {
        std::vector<Cell> cells;
        for (int row = 0; row < rows_; ++row) {
            for (int column = 0; column < columns_; ++column) {
                if (At({column, row}) != '.') cells.push_back({column, row});
            }
        }
        return cells;
    }
    // Whether the walkable cells form one 4-connected region.
    bool Connected() const {
        const std::vector<Cell> walkable = Walkable();
        if (walkable.empty()) return true;
        std::vector<char> seen(cells_.size(), 0);
        std::vector<Cell> stack{walkable[0]};
        seen[Index(walkable[0])] = 1;
        std::size_t reached = 0;
        while (!stack.empty()) {
            const Cell c = stack.back();
            stack.pop_back();
            ++reached;
            for (int d = 0; d < 4; ++d) {
                const Cell n{c.column + kDeltaColumn[d], c.row + kDeltaRow[d]};
                if (At(n) != '.' && !seen[Index(n)]) {
                    seen[Index(n)] = 1;
                    stack.push_back(n);
                }
            }
        }
        return reached == walkable.size();
    }
    // The 10 rows of 16 characters of a stage source's map.
    std::string Map() const {
        std::string map;
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 16; ++column) map += At({column, row});
            map += '\n';
        }
        return map;
    }

private:
    std::size_t Index(Cell c) const { return static_cast<std::size_t>(c.row * columns_ + c.column); }

    int columns_ = 0, rows_ = 0;
    std::vector<char> cells_;
};
