// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_graph.h"

#include "state_steps.h"

#include <algorithm>

namespace {

template <typename T>
std::size_t BytesOf(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

// What the backward search will add for a graph of this size: the
// distances, the row starts and sources of the reversed edges, its queue.
std::size_t ReverseSearchBytes(std::size_t states, std::size_t edges) {
    return states * (sizeof(std::uint16_t) + sizeof(std::uint32_t) + sizeof(std::uint32_t)) +
           sizeof(std::uint32_t) + edges * sizeof(std::uint32_t);
}

}  // namespace

StateGraph::StateGraph(const StageData& stage, std::size_t memoryBytes, std::stop_token stop)
    : codec_(stage), memoryBytes_(memoryBytes) {
    // The store gets at most half: the per-state tables (successors, depth,
    // distance and the reverse edges, about 40 bytes a state) need the rest.
    store_ = std::make_unique<StateStore>(codec_.Words(), memoryBytes_ / 2);
    Explore(stage, stop);
    if (Complete()) FindDistancesToClear(stop);
}

std::uint32_t StateGraph::IndexOf(const RuleState& state, BoardCell player) const {
    if (!Complete()) return kUnknown;
    if (player.column < Board::kFirstPlayColumn || player.column > Board::kLastPlayColumn ||
        player.row < Board::kFirstPlayRow || player.row > Board::kLastPlayRow) {
        return kUnknown;
    }
    std::vector<std::uint64_t> packed(static_cast<std::size_t>(codec_.Words()));
    codec_.Pack(state, player, packed.data());
    return store_->Find(packed.data());
}

void StateGraph::Explore(const StageData& stage, std::stop_token stop) {
    std::vector<std::uint64_t> packed(static_cast<std::size_t>(codec_.Words()));
    codec_.Pack(StartingRuleState(stage), stage.start, packed.data());
    if (store_->Add(packed.data(), StateStore::kNone, 0) == StateStore::Insert::OutOfMemory) {
        status_ = Status::OutOfMemory;
        return;
    }
    depth_.push_back(0);
    StepScratch scratch(codec_.Words());
    for (std::size_t index = 0; index < store_->Size(); ++index) {
        // Checked now and then: the check is cheap, but not free per state.
        if (index % 4096 == 0 && stop.stop_requested()) {
            status_ = Status::Cancelled;
            return;
        }
        bool full = false;
        ForEachStep(codec_, *store_, store_->State(index), scratch,
                    [&](StepDirection direction, const MoveOutcome& outcome, const std::uint64_t* reached,
                        std::uint64_t hash) {
                        std::uint32_t to = kBlocked;
                        if (outcome.cleared) {
                            to = kClears;
                        } else if (!outcome.blocked) {
                            const auto added = store_->Add(reached, hash, static_cast<std::uint32_t>(index),
                                                           static_cast<std::uint8_t>(direction), &to);
                            if (added == StateStore::Insert::OutOfMemory) return !(full = true);
                            if (added == StateStore::Insert::Added) {
                                depth_.push_back(static_cast<std::uint16_t>(std::min(depth_[index] + 1, 0xFFFE)));
                            }
                        }
                        next_.push_back(to);
                        return true;
                    });
        if (full) {
            status_ = Status::OutOfMemory;
            peakBytes_ = store_->PeakBytes() + BytesOf(next_) + BytesOf(depth_);
            return;
        }
        // The bound counts the tables still to come, so the graph is given up
        // here rather than after the backward search has overrun it.
        if (BytesOf(next_) + BytesOf(depth_) + store_->Bytes() + ReverseSearchBytes(store_->Size(), next_.size()) >
            memoryBytes_) {
            status_ = Status::OutOfMemory;
            peakBytes_ = store_->PeakBytes() + BytesOf(next_) + BytesOf(depth_);
            return;
        }
    }
}

// Breadth-first backwards from the states with a clearing step, over the
// reversed edges in compressed rows.
void StateGraph::FindDistancesToClear(std::stop_token stop) {
    if (stop.stop_requested()) {
        status_ = Status::Cancelled;
        return;
    }
    const std::size_t states = Size();
    std::vector<std::uint32_t> firstIn(states + 1, 0);
    for (std::uint32_t to : next_) {
        if (to < kClears) ++firstIn[to + 1];
    }
    for (std::size_t i = 0; i < states; ++i) firstIn[i + 1] += firstIn[i];
    std::vector<std::uint32_t> from(firstIn[states]);
    {
        std::vector<std::uint32_t> fill(firstIn.begin(), firstIn.end() - 1);
        for (std::size_t e = 0; e < next_.size(); ++e) {
            const std::uint32_t to = next_[e];
            if (to < kClears) from[fill[to]++] = static_cast<std::uint32_t>(e / 4);
        }
    }
    toClear_.assign(states, kNoClear);
    std::vector<std::uint32_t> queue;
    queue.reserve(states);  // every state is queued at most once: no growth past the bound
    for (std::uint32_t s = 0; s < states; ++s) {
        for (int d = 0; d < 4; ++d) {
            if (next_[s * 4 + d] == kClears) {
                toClear_[s] = 1;
                queue.push_back(s);
                break;
            }
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t s = queue[head];
        const std::uint16_t distance = static_cast<std::uint16_t>(std::min(toClear_[s] + 1, 0xFFFE));
        for (std::uint32_t e = firstIn[s]; e < firstIn[s + 1]; ++e) {
            const std::uint32_t p = from[e];
            if (toClear_[p] == kNoClear) {
                toClear_[p] = distance;
                queue.push_back(p);
            }
        }
    }
    peakBytes_ = store_->PeakBytes() + BytesOf(next_) + BytesOf(depth_) + BytesOf(toClear_) + BytesOf(firstIn) +
                 BytesOf(from) + BytesOf(queue);
}

std::vector<StepDirection> StateGraph::PathTo(std::uint32_t index) const {
    std::vector<StepDirection> moves;
    for (; store_->Parent(index) != StateStore::kNone; index = store_->Parent(index)) {
        moves.push_back(static_cast<StepDirection>(store_->Move(index)));
    }
    std::reverse(moves.begin(), moves.end());
    return moves;
}
