// SPDX-License-Identifier: GPL-3.0-or-later
// The whole reachable state graph of a stage: every state the player can
// reach from the start, its four successors, its distance from the start and
// its distance to a clear. States are packed by the solver's StateCodec and
// kept in its StateStore, so the graph and the solver share one notion of a
// state; every step is played by the game's own PlayMove.
#pragma once

#include "state_codec.h"
#include "state_store.h"

#include "play/stage_file.h"
#include "play/tile_rules.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <vector>

class StateGraph {
public:
    static constexpr std::uint32_t kBlocked = 0xFFFFFFFFu;  // the step walks on the spot
    static constexpr std::uint32_t kClears = 0xFFFFFFFEu;   // the step clears the stage
    static constexpr std::uint16_t kNoClear = 0xFFFFu;      // a dead state's distance to a clear

    enum class Status { Complete, OutOfMemory, Cancelled };
    static constexpr std::uint32_t kUnknown = StateStore::kNone;

    // Explores every reachable state within `memoryBytes` (all tables). A
    // stop request ends the work early with the status Cancelled.
    StateGraph(const StageData& stage, std::size_t memoryBytes, std::stop_token stop = {});

    Status status() const { return status_; }
    bool Complete() const { return status_ == Status::Complete; }
    const StateCodec& Codec() const { return codec_; }
    std::size_t Size() const { return store_->Size(); }
    const std::uint64_t* State(std::uint32_t index) const { return store_->State(index); }

    // Where step `direction` from state `index` leads: a state, kBlocked or kClears.
    std::uint32_t Next(std::uint32_t index, StepDirection direction) const {
        return next_[index * 4 + static_cast<std::uint32_t>(direction)];
    }
    // Fewest moves from the start.
    int Depth(std::uint32_t index) const { return depth_[index]; }
    // Fewest moves to a clear, the clearing step included; kNoClear when dead.
    std::uint16_t ToClear(std::uint32_t index) const { return toClear_[index]; }
    bool Dead(std::uint32_t index) const { return toClear_[index] == kNoClear; }
    // The moves that first reached a state (a shortest way there).
    std::vector<StepDirection> PathTo(std::uint32_t index) const;

    // The index of a position, or kUnknown when it is not reachable from the
    // start (or the graph is incomplete). Only the board, the erase mode and
    // the player's cell count: the step counter is not part of a position.
    std::uint32_t IndexOf(const RuleState& state, BoardCell player) const;

    // The state and player of a packed state.
    void Unpack(std::uint32_t index, RuleState& state, BoardCell& player) const { codec_.Unpack(State(index), state, player); }

    std::size_t PeakBytes() const { return peakBytes_; }

private:
    void Explore(const StageData& stage, std::stop_token stop);
    void FindDistancesToClear(std::stop_token stop);

    StateCodec codec_;
    std::size_t memoryBytes_;
    std::unique_ptr<StateStore> store_;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint16_t> depth_;
    std::vector<std::uint16_t> toClear_;
    Status status_ = Status::Complete;
    std::size_t peakBytes_ = 0;
};
