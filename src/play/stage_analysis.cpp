// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_analysis.h"

#include <sys/resource.h>

StageAnalysis::StageAnalysis(const StageData& stage, std::size_t memoryBytes)
    : worker_([this, stage, memoryBytes](std::stop_token stop) {
          // Below the frame loop's thread: on two cores the search must not
          // take frames' time. On Linux the nice value is the thread's own.
          (void)::setpriority(PRIO_PROCESS, 0, 10);
          advisor_ = std::make_unique<StageAdvisor>(stage, memoryBytes, stop);
          done_.store(true, std::memory_order_release);
          done_.notify_all();
      }) {}

StageAnalysis::~StageAnalysis() { worker_.request_stop(); }

const StageAdvisor* StageAnalysis::WaitUntilReady() {
    done_.wait(false, std::memory_order_acquire);
    return advisor_.get();
}
