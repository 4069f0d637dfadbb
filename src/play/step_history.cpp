// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/step_history.h"

void StepHistory::Record(const PlayPoint& before) {
    undone_.clear();
    done_.push_back(before);
    if (done_.size() > kMaxSteps) done_.pop_front();
}

std::optional<PlayPoint> StepHistory::Undo(const PlayPoint& current) {
    if (done_.empty()) return std::nullopt;
    PlayPoint back = std::move(done_.back());
    done_.pop_back();
    undone_.push_back(current);
    return back;
}

std::optional<PlayPoint> StepHistory::Redo(const PlayPoint& current) {
    if (undone_.empty()) return std::nullopt;
    PlayPoint forward = std::move(undone_.back());
    undone_.pop_back();
    done_.push_back(current);
    return forward;
}
