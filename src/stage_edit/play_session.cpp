// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_session.h"

PlaySession::PlaySession(const StageData& stage) : stage_(stage) { Restart(); }

void PlaySession::Restart() {
    state_ = StartingRuleState(stage_);
    player_ = StartingPlayer(stage_);
    undo_.clear();
    redo_.clear();
}

bool PlaySession::Step(StepDirection direction) {
    if (Cleared()) return false;
    const Point before{state_, player_};
    const MoveOutcome outcome = PlayMove(state_, player_, direction);
    if (outcome.blocked) return false;
    undo_.push_back(before);
    redo_.clear();
    return true;
}

bool PlaySession::Undo() {
    if (undo_.empty()) return false;
    redo_.push_back({state_, player_});
    state_ = undo_.back().state;
    player_ = undo_.back().player;
    undo_.pop_back();
    return true;
}

bool PlaySession::Redo() {
    if (redo_.empty()) return false;
    undo_.push_back({state_, player_});
    state_ = redo_.back().state;
    player_ = redo_.back().player;
    redo_.pop_back();
    return true;
}

std::vector<PlayPosition> PlaySession::Line() const {
    std::vector<PlayPosition> line;
    line.reserve(undo_.size() + 1);
    for (const Point& point : undo_) line.push_back({point.state, point.player.cell});
    line.push_back({state_, player_.cell});
    return line;
}
