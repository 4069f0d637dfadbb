// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/position_answer.h"

PositionAnswer::PositionAnswer(const StageData& stage, std::vector<PlayPosition> line)
    : worker_([this, stage, line = std::move(line)](std::stop_token stop) { Search(stage, line, stop); }) {}

PositionAnswer::~PositionAnswer() { worker_.request_stop(); }

std::optional<PositionVerdict> PositionAnswer::Verdict() const {
    if (!done_.load(std::memory_order_acquire) || verdict_.kind == PositionVerdict::Kind::Unknown) return std::nullopt;
    return verdict_;
}

void PositionAnswer::Search(const StageData& stage, const std::vector<PlayPosition>& line, std::stop_token stop) {
    // The first-clear search settles live or lost fastest; the solver's
    // search then names the optimum and the step, which the dead-end test
    // does not wait for.
    LiveSearch live(stage, kPositionSearchBytes, stop);
    const PositionVerdict::Kind kind = live.Judge(line.back());
    if (kind == PositionVerdict::Kind::Lost) {
        // No count (an older position too large to search, or a stop) is left
        // to the analysis rather than shown as "retry".
        undoSteps_ = live.StepsBackToLive(line);
        if (undoSteps_ > 0) verdict_.kind = kind;
    } else if (kind == PositionVerdict::Kind::Live) {
        verdict_ = SearchVerdict(stage, line.back(), kPositionSearchBytes, stop, &plan_);
    }
    done_.store(true, std::memory_order_release);
}
