#include "play/stage_analysis.h"

StageAnalysis::StageAnalysis(const StageData& stage, std::size_t memoryBytes)
    : worker_([this, stage, memoryBytes](std::stop_token stop) {
          advisor_ = std::make_unique<StageAdvisor>(stage, memoryBytes, stop);
          done_.store(true, std::memory_order_release);
          done_.notify_all();
      }) {}

StageAnalysis::~StageAnalysis() { worker_.request_stop(); }

const StageAdvisor* StageAnalysis::WaitUntilReady() {
    done_.wait(false, std::memory_order_acquire);
    return advisor_.get();
}
