// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict on one position searched from the position itself, on a
// worker thread, for the time before the stage's analysis is built: first
// whether a clear can still be reached (and, when not, how far back along
// the undo line one can), then the hint's optimum and next step. Destroying
// the object (a new step, the analysis ready) stops the work.
#pragma once

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "position_search.h"

class PositionAnswer {
public:
    // `line`: the undo history's positions, oldest first, the judged one last.
    PositionAnswer(const StageData& stage, std::vector<PlayPosition> line);
    ~PositionAnswer();  // asks the worker to stop and joins it
    PositionAnswer(const PositionAnswer&) = delete;
    PositionAnswer& operator=(const PositionAnswer&) = delete;

    // The verdict once known: a lost one as soon as the way back is counted,
    // a live one with its optimum and next step. Empty meanwhile, and for
    // good when the search outgrew its bound (the analysis answers then).
    std::optional<PositionVerdict> Verdict() const;
    int UndoSteps() const { return undoSteps_; }
    // With a live verdict: the whole optimal plan its next step begins.
    const std::vector<StepDirection>& Plan() const { return plan_; }

private:
    void Search(const StageData& stage, const std::vector<PlayPosition>& line, std::stop_token stop);

    PositionVerdict verdict_;
    int undoSteps_ = -1;
    std::vector<StepDirection> plan_;
    std::atomic<bool> done_{false};
    std::jthread worker_;  // last: stopped and joined before the rest goes
};
