// SPDX-License-Identifier: GPL-3.0-or-later
// Playing the stage being drawn, in the editor itself: the game's own rule
// code, step by step without animation, with undo and redo.
#pragma once

#include "stage_advisor.h"

#include "play/stage_file.h"
#include "play/tile_rules.h"

#include <vector>

class PlaySession {
public:
    explicit PlaySession(const StageData& stage);

    // Plays one step; false when it was blocked or the stage is already cleared.
    bool Step(StepDirection direction);
    bool Undo();
    bool Redo();
    // Starts over from the stage's start.
    void Restart();

    // The positions of the undo history, oldest first, the current one last:
    // the way back the dead-end warning counts along.
    std::vector<PlayPosition> Line() const;

    const RuleState& Rules() const { return state_; }
    const Board& board() const { return state_.board; }
    BoardCell PlayerCell() const { return player_.cell; }
    int Steps() const { return state_.steps; }
    bool Cleared() const { return state_.playState == kPlayStateClearing; }
    bool EraseMode() const { return state_.eraseMode; }
    int ErasuresLeft() const { return state_.erasuresLeft; }

private:
    struct Point {
        RuleState state;
        RulePlayer player;
    };

    StageData stage_;
    RuleState state_;
    RulePlayer player_;
    std::vector<Point> undo_;
    std::vector<Point> redo_;
};
