// SPDX-License-Identifier: GPL-3.0-or-later
// Judges stages on a thread of its own, so the editor never waits for the
// critic. Each new request cancels the one in progress; only the verdict on
// the latest request is ever delivered.
#pragma once

#include "verdict.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class VerdictWorker {
public:
    // Called on the worker's thread with a finished verdict and the number
    // of the request it answers. The receiver must still compare that
    // number with Latest() where it shows the verdict: a newer request may
    // have come in since.
    using Delivery = std::function<void(const Verdict&, std::uint64_t request)>;

    explicit VerdictWorker(Delivery deliver);
    ~VerdictWorker();  // cancels the search in progress and waits for the thread
    VerdictWorker(const VerdictWorker&) = delete;
    VerdictWorker& operator=(const VerdictWorker&) = delete;

    // Asks for a verdict; returns the request's number (1, 2, ...).
    std::uint64_t Request(VerdictSubject subject);
    // The number of the latest request.
    std::uint64_t Latest() const { return latest_.load(); }
    // Searches given up because a newer request came in.
    std::uint64_t CancelledSearches() const { return cancelledSearches_.load(); }

private:
    void Run();

    Delivery deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<VerdictSubject> pending_;
    bool stopping_ = false;
    std::stop_source search_;  // of the search under way
    std::atomic<std::uint64_t> latest_{0};
    std::atomic<std::uint64_t> cancelledSearches_{0};
    std::thread thread_;  // last: starts once everything above is ready
};
