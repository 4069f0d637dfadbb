// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_climb.h"

#include <algorithm>
#include <utility>

namespace {

enum class Change { MarkValue, Swap, AddMark, RemoveMark, RemoveFloor, AddFloor, TurnArrow, kCount };

// Box cells next to the board where a floor may grow.
std::vector<Cell> Frontier(const Sketch& sketch) {
    std::vector<Cell> frontier;
    for (int row = 0; row < sketch.Rows(); ++row) {
        for (int column = 0; column < sketch.Columns(); ++column) {
            const Cell c{column, row};
            if (sketch.At(c) != '.') continue;
            for (int d = 0; d < 4; ++d) {
                if (sketch.At({column + kDeltaColumn[d], row + kDeltaRow[d]}) != '.') {
                    frontier.push_back(c);
                    break;
                }
            }
        }
    }
    return frontier;
}

char RandomMark(Random& random, const StageRecipe& recipe) {
    return static_cast<char>('0' + random.Pick(recipe.markValues));
}

}  // namespace

bool MutateSketch(Random& random, const StageRecipe& recipe, Sketch& sketch) {
    const std::vector<Cell> walkable = sketch.Walkable();
    std::vector<Cell> marks, floors, arrows;
    for (const Cell& c : walkable) {
        const char what = sketch.At(c);
        if (IsMarkChar(what)) marks.push_back(c);
        if (what == '-') floors.push_back(c);
        if (IsArrowChar(what)) arrows.push_back(c);
    }
    const int cells = static_cast<int>(walkable.size());
    const int markCount = static_cast<int>(marks.size());
    switch (static_cast<Change>(random.Below(static_cast<int>(Change::kCount)))) {
        case Change::MarkValue: {
            if (marks.empty() || recipe.markValues.size() < 2) return false;
            const Cell c = random.Pick(marks);
            const char value = RandomMark(random, recipe);
            if (value == sketch.At(c)) return false;
            sketch.Put(c, value);
            return true;
        }
        case Change::Swap: {
            if (walkable.size() < 2) return false;
            const Cell a = random.Pick(walkable);
            const Cell b = random.Pick(walkable);
            const char first = sketch.At(a);
            if (first == sketch.At(b)) return false;
            sketch.Put(a, sketch.At(b));
            sketch.Put(b, first);
            return true;
        }
        case Change::AddMark:
            if (markCount >= recipe.maxMarks || floors.empty()) return false;
            sketch.Put(random.Pick(floors), RandomMark(random, recipe));
            return true;
        case Change::RemoveMark:
            if (markCount <= recipe.minMarks) return false;
            sketch.Put(random.Pick(marks), '-');
            return true;
        case Change::RemoveFloor: {
            if (cells <= recipe.minCells || floors.empty()) return false;
            const Cell c = random.Pick(floors);
            sketch.Put(c, '.');
            if (sketch.Connected()) return true;
            sketch.Put(c, '-');
            return false;
        }
        case Change::AddFloor: {
            if (cells >= recipe.maxCells) return false;
            const std::vector<Cell> frontier = Frontier(sketch);
            if (frontier.empty()) return false;
            sketch.Put(random.Pick(frontier), '-');
            return true;
        }
        case Change::TurnArrow: {
            if (arrows.empty()) return false;
            const Cell c = random.Pick(arrows);
            const char turned = kArrowOfDirection[random.Below(4)];
            if (turned == sketch.At(c)) return false;
            sketch.Put(c, turned);
            return true;
        }
        case Change::kCount: break;
    }
    return false;
}

std::vector<ClimbPoint> ClimbBoard(Random& random, const StageRecipe& recipe, ClimbPoint start, int steps,
                                   const BoardJudge& judge, const std::function<bool()>& outOfTime) {
    std::vector<ClimbPoint> trail{std::move(start)};
    ClimbPoint current = trail.back();
    for (int step = 0; step < steps && !outOfTime(); ++step) {
        ClimbPoint next = current;
        // Now and then two changes at once, to cross a ridge one change cannot.
        bool changed = MutateSketch(random, recipe, next.sketch);
        if (random.Below(3) == 0) changed = MutateSketch(random, recipe, next.sketch) || changed;
        if (!changed) continue;
        next.optimum = judge(next.sketch, current.optimum);
        if (next.optimum < current.optimum) continue;
        if (next.optimum > current.optimum) {
            trail.push_back(next);
        } else {
            trail.back() = next;
        }
        current = std::move(next);
    }
    return trail;
}

ClimbPoint TrimBoard(const StageRecipe& recipe, ClimbPoint point, const BoardJudge& judge,
                     const std::function<bool()>& outOfTime) {
    int cells = static_cast<int>(point.sketch.Walkable().size());
    for (bool trimmed = true; trimmed && !outOfTime();) {
        trimmed = false;
        for (const Cell& c : point.sketch.Walkable()) {
            if (point.sketch.At(c) != '-' || cells <= recipe.minCells) continue;
            Sketch without = point.sketch;
            without.Put(c, '.');
            if (!without.Connected()) continue;
            const int optimum = judge(without, point.optimum);
            if (optimum < point.optimum) continue;
            point = {std::move(without), optimum};
            --cells;
            trimmed = true;
        }
    }
    return point;
}
