// SPDX-License-Identifier: GPL-3.0-or-later
#include "mechanics.h"

#include <array>

namespace {

struct MechanicInfo {
    const char* name;
    const char* meaning;
};

constexpr std::array<MechanicInfo, kMechanicCount> kMechanics = {{
    {"mark", "a mark landed on advances"},
    {"goal-choice", "a choice between goals of different values"},
    {"arrow-one", "an arrow advancing one mark"},
    {"arrow-run", "an arrow advancing a run of two or more marks"},
    {"burst-few", "a burst advancing one or two marks"},
    {"burst-wide", "a burst advancing three or more marks"},
    {"warp-pair", "a warp to a partner that leads back"},
    {"warp-chain", "a one-way warp: its partner leads elsewhere"},
    {"eraser", "an eraser run: the next five marks stepped on become holes"},
}};

// The marks an arrow's line covers, from the arrow's cell outwards: the line
// stops at the first cell that is not a mark.
int MarksInLine(const Board& board, BoardCell arrow) {
    const std::uint8_t code = board.At(arrow);
    const StepDirection direction = code == CELL_ARROW_UP      ? StepDirection::Up
                                    : code == CELL_ARROW_RIGHT ? StepDirection::Right
                                    : code == CELL_ARROW_DOWN  ? StepDirection::Down
                                                               : StepDirection::Left;
    int marks = 0;
    for (BoardCell cell = StepTarget(arrow, direction); IsMark(board.At(cell)); cell = StepTarget(cell, direction)) {
        ++marks;
    }
    return marks;
}

int MarksAround(const Board& board, BoardCell burst) {
    int marks = 0;
    for (int row = burst.row - 1; row <= burst.row + 1; ++row) {
        for (int column = burst.column - 1; column <= burst.column + 1; ++column) {
            if (IsMark(board.At(column, row))) ++marks;
        }
    }
    return marks;
}

PlayerPlace StandingOn(BoardCell cell) {
    PlayerPlace place;
    place.x = Board::kCellPixels * cell.column;
    place.y = Board::kCellPixels * cell.row;
    return place;
}

// A warp leads back when its partner's own partner is the warp itself.
Mechanic WarpKind(const Board& board, BoardCell warp) {
    const std::uint8_t code = board.At(warp);
    const std::optional<BoardCell> partner = FindWarpPartner(board, code, StandingOn(warp));
    if (!partner) return Mechanic::WarpPair;
    const std::optional<BoardCell> back = FindWarpPartner(board, code, StandingOn(*partner));
    return back && *back == warp ? Mechanic::WarpPair : Mechanic::WarpChain;
}

bool AnotherGoalValue(const Board& board, std::uint8_t goal) {
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            const std::uint8_t code = board.At(column, row);
            if (IsGoal(code) && code != goal) return true;
        }
    }
    return false;
}

}  // namespace

const char* MechanicName(Mechanic m) { return kMechanics[static_cast<std::size_t>(m)].name; }

const char* MechanicMeaning(Mechanic m) { return kMechanics[static_cast<std::size_t>(m)].meaning; }

std::optional<Mechanic> MechanicNamed(std::string_view name) {
    for (int i = 0; i < kMechanicCount; ++i) {
        if (name == kMechanics[static_cast<std::size_t>(i)].name) return static_cast<Mechanic>(i);
    }
    return std::nullopt;
}

std::string MechanicNames(MechanicSet set) {
    std::string names;
    for (int i = 0; i < kMechanicCount; ++i) {
        if (set & MechanicBit(static_cast<Mechanic>(i))) {
            names += (names.empty() ? "" : " ") + std::string(kMechanics[static_cast<std::size_t>(i)].name);
        }
    }
    return names.empty() ? "-" : names;
}

MechanicSet MechanicsOfTeachName(std::string_view teachName) {
    if (const std::optional<Mechanic> m = MechanicNamed(teachName)) return MechanicBit(*m);
    if (teachName == "arrow") return MechanicBit(Mechanic::ArrowOne) | MechanicBit(Mechanic::ArrowRun);
    if (teachName == "burst") return MechanicBit(Mechanic::BurstFew) | MechanicBit(Mechanic::BurstWide);
    if (teachName == "warp10" || teachName == "warp11") return MechanicBit(Mechanic::WarpPair) | MechanicBit(Mechanic::WarpChain);
    if (teachName == "goal5" || teachName == "goal6" || teachName == "goal7" || teachName == "goal8") {
        return MechanicBit(Mechanic::GoalChoice);
    }
    return 0;
}

MechanicSet MechanicsTaught(std::string_view teachName, MechanicSet reliesOn) {
    MechanicSet taught = MechanicsOfTeachName(teachName);
    if (!MechanicNamed(teachName)) taught &= reliesOn;
    if (taught & MechanicBit(Mechanic::ArrowRun)) taught |= MechanicBit(Mechanic::ArrowOne);
    if (taught & MechanicBit(Mechanic::BurstWide)) taught |= MechanicBit(Mechanic::BurstFew);
    return taught;
}

MechanicSet MechanicsOfStep(const RuleState& before, BoardCell from, StepDirection direction,
                            const MoveOutcome& outcome) {
    if (outcome.blocked || before.eraseMode) return 0;  // erasing belongs to the eraser that started it
    const BoardCell target = StepTarget(from, direction);
    const Board& board = before.board;
    const std::uint8_t code = board.At(target);
    if (IsMark(code)) return IsFrozenMark(code, before.markLimit) ? 0 : MechanicBit(Mechanic::Mark);
    if (IsGoal(code)) return outcome.cleared && AnotherGoalValue(board, code) ? MechanicBit(Mechanic::GoalChoice) : 0;
    if (IsWarp(code)) return outcome.warped ? MechanicBit(WarpKind(board, target)) : 0;
    if (code == CELL_ERASER) return MechanicBit(Mechanic::Eraser);
    if (IsArrow(code)) {
        const int marks = MarksInLine(board, target);
        return marks == 0 ? 0 : MechanicBit(marks == 1 ? Mechanic::ArrowOne : Mechanic::ArrowRun);
    }
    if (code == CELL_BURST) {
        const int marks = MarksAround(board, target);
        return marks == 0 ? 0 : MechanicBit(marks <= 2 ? Mechanic::BurstFew : Mechanic::BurstWide);
    }
    return 0;
}
