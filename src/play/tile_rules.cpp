// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/tile_rules.h"

#include "play/stage_file.h"

std::optional<StepDirection> FirstStepDirection(int padBits) {
    if (padBits & kStepPadLeft) return StepDirection::Left;
    if (padBits & kStepPadUp) return StepDirection::Up;
    if (padBits & kStepPadRight) return StepDirection::Right;
    if (padBits & kStepPadDown) return StepDirection::Down;
    return std::nullopt;
}

int StepPadBit(StepDirection direction) {
    switch (direction) {
        case StepDirection::Left: return kStepPadLeft;
        case StepDirection::Up: return kStepPadUp;
        case StepDirection::Right: return kStepPadRight;
        case StepDirection::Down: return kStepPadDown;
    }
    return 0;
}

int WalkMotion(StepDirection direction) {
    switch (direction) {
        case StepDirection::Left: return MOTION_WALK_LEFT;
        case StepDirection::Up: return MOTION_WALK_UP;
        case StepDirection::Right: return MOTION_WALK_RIGHT;
        case StepDirection::Down: return MOTION_WALK_DOWN;
    }
    return MOTION_WALK_LEFT;
}

BoardCell StepTarget(BoardCell from, StepDirection direction) {
    switch (direction) {
        case StepDirection::Left: return {from.column - 1, from.row};
        case StepDirection::Up: return {from.column, from.row - 1};
        case StepDirection::Right: return {from.column + 1, from.row};
        case StepDirection::Down: return {from.column, from.row + 1};
    }
    return from;
}

std::uint8_t AdvancedMark(std::uint8_t value, std::uint8_t markLimit) {
    if (value == markLimit) return 1;
    if (value < markLimit) return static_cast<std::uint8_t>(value + 1);
    return value;
}

namespace {

void AdvanceMarkAt(RuleState& state, int column, int row) {
    state.board.Set(column, row, AdvancedMark(state.board.At(column, row), state.markLimit));
}

// Arrows advance marks along their line up to the first cell that is not a
// mark; the empty border ends every line.
void FireArrow(RuleState& state, BoardCell from, std::uint8_t arrow) {
    static constexpr StepDirection kLineOf[] = {StepDirection::Up, StepDirection::Right, StepDirection::Down,
                                                StepDirection::Left};
    const StepDirection direction = kLineOf[arrow - CELL_ARROW_UP];
    for (BoardCell cell = StepTarget(from, direction); IsMark(state.board.At(cell));
         cell = StepTarget(cell, direction)) {
        AdvanceMarkAt(state, cell.column, cell.row);
    }
}

// A burst advances every mark of the 3 x 3 block around it.
void FireBurst(RuleState& state, BoardCell at) {
    for (int row = at.row - 1; row <= at.row + 1; ++row) {
        for (int column = at.column - 1; column <= at.column + 1; ++column) {
            if (IsMark(state.board.At(column, row))) AdvanceMarkAt(state, column, row);
        }
    }
}

// A goal passes its clear test twice: first the clear pose starts, and when
// the pose has played the stage clear begins and the goal leaves the board.
void EnterGoal(RuleState& state, const PlayerPlace& player, BoardCell at, std::uint8_t goal, TileOutcome& out) {
    if (!IsStageCleared(state.board, goal)) return;
    if (!player.clearPoseStarted) {
        out.sounds.Add(RuleSound::Clear);
        out.startMotion = MOTION_CLEAR_POSE;
        out.startFrame = 0;
        return;
    }
    state.playState = kPlayStateClearing;
    state.clearedGoal = goal;
    state.clearedCell = at;
    state.board.Set(at, CELL_EMPTY);
    out.clearBegun = true;
}

// A warp runs three times: the leave animation starts, the player is moved
// to the partner as the arrive animation starts, and on arrival nothing
// happens (so the player is not sent straight back).
void EnterWarp(const RuleState& state, const PlayerPlace& player, std::uint8_t warp, TileOutcome& out) {
    if (player.arriveStarted) return;
    out.sounds.Add(RuleSound::Warp);
    const std::optional<BoardCell> partner = FindWarpPartner(state.board, warp, player);
    if (!partner) return;
    if (!player.leaveStarted) {
        out.startMotion = MOTION_WARP_LEAVE;
        out.startFrame = 0;
        return;
    }
    out.moveTo = partner;
    out.startMotion = MOTION_WARP_ARRIVE;
    out.startFrame = 1;  // the arrive animation skips its first frame
}

}  // namespace

StepOutcome BeginMove(RuleState& state, BoardCell from, StepDirection direction) {
    StepOutcome out;
    out.sounds.Add(RuleSound::Footstep);
    const BoardCell target = StepTarget(from, direction);
    const std::uint8_t code = state.board.At(target);
    if (code == CELL_EMPTY) {
        out.blocked = true;
        return out;
    }
    // The erase rule: the mark is emptied as the player starts to walk onto
    // it. Goals, tiles and floors use no erasure.
    if (state.eraseMode) {
        if (IsMark(code)) {
            out.sounds.Add(RuleSound::Footstep2);
            state.board.Set(target, CELL_EMPTY);
            --state.erasuresLeft;
            out.erased = true;
        }
        if (state.erasuresLeft <= 0) state.eraseMode = false;
    }
    if (state.steps < kMaxStepCount) ++state.steps;
    return out;
}

TileOutcome ApplyTileEffect(RuleState& state, const PlayerPlace& player) {
    TileOutcome out;
    if (state.playState != kPlayStatePlaying || state.eraseMode) return out;
    const BoardCell at = player.Cell();
    const std::uint8_t code = state.board.At(at);
    if (IsMark(code)) {
        out.sounds.Add(RuleSound::Brock);
        AdvanceMarkAt(state, at.column, at.row);
    } else if (IsGoal(code)) {
        EnterGoal(state, player, at, code, out);
    } else if (IsWarp(code)) {
        EnterWarp(state, player, code, out);
    } else if (IsArrow(code)) {
        out.sounds.Add(RuleSound::Arrow);
        FireArrow(state, at, code);
    } else if (code == CELL_BURST) {
        out.sounds.Add(RuleSound::Arrow);
        FireBurst(state, at);
    } else if (code == CELL_ERASER) {
        out.sounds.Add(RuleSound::Erase);
        state.eraseMode = true;
        state.erasuresLeft = kEraserErasures;
    }
    return out;  // empty, floor and codes above the eraser: nothing
}

bool IsStageCleared(const Board& board, std::uint8_t goalCode) {
    const std::uint8_t wanted = GoalValue(goalCode);
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            const std::uint8_t code = board.At(column, row);
            if (IsMark(code) && code != wanted) return false;
        }
    }
    return true;
}

std::optional<BoardCell> FindWarpPartner(const Board& board, std::uint8_t warpCode, const PlayerPlace& player) {
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            if (board.At(column, row) != warpCode) continue;
            const bool ownPlace = column * Board::kCellPixels == player.x &&
                                  row * Board::kCellPixels == player.y && player.z == 0;
            if (!ownPlace) return BoardCell{column, row};
        }
    }
    return std::nullopt;
}

void RulePlayer::StartMotion(int newMotion) {
    if (newMotion != motion) started[static_cast<std::size_t>(motion)] = false;
    motion = newMotion;
    if (newMotion >= MOTION_WARP_LEAVE && newMotion <= MOTION_CLEAR_POSE) {
        started[static_cast<std::size_t>(newMotion)] = true;
    }
}

PlayerPlace RulePlayer::Place() const {
    PlayerPlace place;
    place.x = cell.column * Board::kCellPixels;
    place.y = cell.row * Board::kCellPixels;
    place.leaveStarted = started[MOTION_WARP_LEAVE];
    place.arriveStarted = started[MOTION_WARP_ARRIVE];
    place.clearPoseStarted = started[MOTION_CLEAR_POSE];
    return place;
}

MoveOutcome PlayMove(RuleState& state, RulePlayer& player, StepDirection direction, std::vector<RuleSound>* sounds) {
    MoveOutcome result;
    if (state.playState != kPlayStatePlaying) return result;
    auto keep = [sounds](const RuleSounds& heard) {
        if (sounds) sounds->insert(sounds->end(), heard.begin(), heard.end());
    };
    player.StartMotion(WalkMotion(direction));  // a blocked step walks on the spot too
    const StepOutcome step = BeginMove(state, player.cell, direction);
    keep(step.sounds);
    if (step.blocked) {
        result.blocked = true;
        return result;
    }
    result.counted = true;
    player.cell = StepTarget(player.cell, direction);
    // A warp takes three rounds (leave, arrive, nothing) and a goal two; the
    // bound only guards against a rule that never settles.
    for (int round = 0; round < 8; ++round) {
        const TileOutcome tile = ApplyTileEffect(state, player.Place());
        keep(tile.sounds);
        if (tile.moveTo) {
            player.cell = *tile.moveTo;
            result.warped = true;
        }
        result.cleared = result.cleared || tile.clearBegun;
        if (tile.startMotion < 0) break;
        player.StartMotion(tile.startMotion);
    }
    return result;
}

RuleState StartingRuleState(const StageData& stage) {
    RuleState state;
    state.board = stage.board;
    state.markLimit = stage.markLimit;
    return state;
}

RulePlayer StartingPlayer(const StageData& stage) {
    RulePlayer player;
    player.cell = stage.start;
    return player;
}
