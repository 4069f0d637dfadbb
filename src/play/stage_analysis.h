// SPDX-License-Identifier: GPL-3.0-or-later
// A stage's advisor, built on a worker thread so that no frame waits for the
// search. The scene asks every frame whether it is ready; destroying the
// object (a stage change, a retry, leaving the scene) stops the work.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "stage_advisor.h"

class StageAnalysis {
public:
    explicit StageAnalysis(const StageData& stage, std::size_t memoryBytes = StageAdvisor::kDefaultMemoryBytes);
    ~StageAnalysis();  // asks the worker to stop and joins it
    StageAnalysis(const StageAnalysis&) = delete;
    StageAnalysis& operator=(const StageAnalysis&) = delete;

    // The advisor once its graph is built, else null. Never blocks.
    const StageAdvisor* Ready() const { return done_.load(std::memory_order_acquire) ? advisor_.get() : nullptr; }
    // Blocks until the worker has finished: for tests and the replay tools,
    // never for the game's frames.
    const StageAdvisor* WaitUntilReady();

private:
    std::unique_ptr<StageAdvisor> advisor_;
    std::atomic<bool> done_{false};
    std::jthread worker_;  // last: stopped and joined before the rest goes
};
