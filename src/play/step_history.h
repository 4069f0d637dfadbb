// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of one attempt at a stage, kept for undo and redo: the state
// before every counted step, and the states undone since the last new step.
// Whole states are kept, not moves to replay, so going back and forth is
// exact whatever the tiles did.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "play/tile_rules.h"

// How the figure stands between steps: its cell, its motion (its standing
// pose is that motion's first frame: the facing of its last walk, or the
// end of a warp arrival), the started flags of its one-shot motions and its
// last step kind.
struct FigureStance {
    BoardCell cell;
    int motion = MOTION_WALK_LEFT;
    std::array<std::uint8_t, 7> started{};
    int stepKind = 0;

    bool operator==(const FigureStance&) const = default;
};

// Everything a step can change: the rule state (board, erase mode, step
// count...) and the figure.
struct PlayPoint {
    RuleState rules;
    FigureStance figure;

    bool operator==(const PlayPoint&) const = default;
};

class StepHistory {
public:
    // Steps kept; beyond this the oldest are forgotten (about 5 MB of states,
    // far more steps than any attempt at a stage takes).
    static constexpr std::size_t kMaxSteps = 8192;

    // A counted step starts from `before`. The undone steps are forgotten: a
    // new step leaves nothing to redo.
    void Record(const PlayPoint& before);
    // The point before the last step, or nothing at the start. `current` is
    // kept for Redo.
    std::optional<PlayPoint> Undo(const PlayPoint& current);
    // The point the last Undo left, or nothing when no undo is pending.
    // `current` is kept for Undo.
    std::optional<PlayPoint> Redo(const PlayPoint& current);

    std::size_t UndoCount() const { return done_.size(); }
    // The points before the counted steps, oldest first: the way back.
    const std::deque<PlayPoint>& Points() const { return done_; }
    std::size_t RedoCount() const { return undone_.size(); }

private:
    std::deque<PlayPoint> done_;
    std::vector<PlayPoint> undone_;
};
