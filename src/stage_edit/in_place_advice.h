// SPDX-License-Identifier: GPL-3.0-or-later
// The game's hint and dead-end warning while the stage editor plays the
// board in place. The stage's advisor is built by the game's own
// StageAnalysis on a worker thread when play begins; every position is then
// judged from it by a table look-up, so the window never waits. Destroying
// the object (leaving play, opening or starting another stage) stops the
// search.
#pragma once

#include "play/stage_analysis.h"
#include "play_session.h"

#include <optional>

struct InPlaceAdviceAnswer {
    enum class Kind {
        Thinking,  // the stage is still being searched
        TooLarge,  // the search would pass the memory bound
        Live,      // a clear can be reached: toClear, next and parInReach are set
        Lost,      // no clear can be reached: undoSteps says how far back one can
        Over,      // the stage is cleared: nothing to advise
    };
    Kind kind = Kind::Thinking;
    int toClear = 0;
    std::optional<StepDirection> next;
    bool parInReach = false;  // the steps taken plus toClear are within the optimum
    int optimum = -1;
    int undoSteps = -1;  // undos to the nearest live position of the history; -1 when none
};

class InPlaceAdvice {
public:
    explicit InPlaceAdvice(const StageData& stage, std::size_t memoryBytes = StageAdvisor::kDefaultMemoryBytes)
        : analysis_(stage, memoryBytes) {}

    bool Ready() const { return analysis_.Ready() != nullptr; }
    // Blocks until the search is done: for tests only, never for the window.
    void WaitUntilReady() { analysis_.WaitUntilReady(); }

    // The session's current position judged; Thinking until the search is done.
    InPlaceAdviceAnswer Advise(const PlaySession& session) const;

private:
    StageAnalysis analysis_;
};
