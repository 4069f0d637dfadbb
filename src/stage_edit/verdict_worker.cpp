// SPDX-License-Identifier: GPL-3.0-or-later
#include "verdict_worker.h"

#include <utility>

VerdictWorker::VerdictWorker(Delivery deliver) : deliver_(std::move(deliver)), thread_([this] { Run(); }) {}

VerdictWorker::~VerdictWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        search_.request_stop();
    }
    wake_.notify_one();
    thread_.join();
}

std::uint64_t VerdictWorker::Request(VerdictSubject subject) {
    std::uint64_t number = 0;
    {
        std::lock_guard lock(mutex_);
        pending_ = std::move(subject);
        number = ++latest_;
        search_.request_stop();  // the search in progress, if any, is now out of date
    }
    wake_.notify_one();
    return number;
}

void VerdictWorker::Run() {
    for (;;) {
        VerdictSubject subject;
        std::uint64_t number = 0;
        std::stop_token stop;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
            if (stopping_) return;
            subject = std::move(*pending_);
            pending_.reset();
            number = latest_;
            search_ = std::stop_source();
            stop = search_.get_token();
        }
        bool cancelled = false;
        const Verdict verdict = JudgeStage(subject, stop, &cancelled);
        if (cancelled || number != latest_) {
            ++cancelledSearches_;
            continue;
        }
        deliver_(verdict, number);
    }
}
