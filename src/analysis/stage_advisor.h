// SPDX-License-Identifier: GPL-3.0-or-later
// What the player may ask of a stage while playing it: the next step of an
// optimal plan, how many steps remain, and whether a clear can still be
// reached at all. Answers come from the stage's whole state graph, so they
// are exact: a position called lost has no clear, one called live has one.
#pragma once

#include "state_graph.h"

#include "play/stage_file.h"
#include "play/tile_rules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

// The judgement of one position.
struct PositionVerdict {
    enum class Kind : std::uint8_t {
        Live,     // a clear can be reached; toClear and next are set
        Lost,     // no clear can be reached from here any more
        Unknown,  // the stage is too large to judge within the memory bound
    };
    Kind kind = Kind::Unknown;
    int toClear = 0;                    // fewest steps left, the clearing step included
    std::optional<StepDirection> next;  // first step of an optimal plan from here

    bool Live() const { return kind == Kind::Live; }
    bool Lost() const { return kind == Kind::Lost; }
};

// A position between steps: the rule state and the player's cell.
struct PlayPosition {
    RuleState rules;
    BoardCell cell;
};

// Counts back along a line of positions (oldest first, the current one last)
// to the nearest one `judge` finds live: 0 when the current one is, -1 when
// none is or one is Unknown. Once lost, every later position of a line is
// lost too, so the walk goes back from the newest.
template <typename JudgeKind>
int CountBackToLive(std::span<const PlayPosition> line, JudgeKind&& judge) {
    for (std::size_t back = 0; back < line.size(); ++back) {
        const PositionVerdict::Kind kind = judge(line[line.size() - 1 - back]);
        if (kind == PositionVerdict::Kind::Unknown) return -1;
        if (kind == PositionVerdict::Kind::Live) return static_cast<int>(back);
    }
    return -1;
}

class StageAdvisor {
public:
    // Bound on the graph's tables: the game and the benchmark keep the whole
    // analysis of a stage under this.
    static constexpr std::size_t kDefaultMemoryBytes = std::size_t{96} << 20;

    enum class Status : std::uint8_t { Ready, TooLarge, Cancelled };

    StageAdvisor(const StageData& stage, std::size_t memoryBytes = kDefaultMemoryBytes, std::stop_token stop = {});

    Status status() const { return status_; }
    // Fewest steps that clear the stage from its start; -1 unless Ready and solvable.
    int Optimum() const { return optimum_; }
    std::size_t States() const { return graph_.Size(); }
    std::size_t PeakBytes() const { return graph_.PeakBytes(); }

    // Judges a position. The plan is the same one however the position was
    // reached: among the optimal steps the first in the order left, up,
    // right, down, so following the hint keeps to one plan.
    PositionVerdict Judge(const RuleState& rules, BoardCell cell) const;

    // Counts back along a line of positions (oldest first, the current one
    // last) to the nearest one from which a clear is still possible: 0 when
    // the current one is live, -1 when none is (or one cannot be judged).
    int StepsBackToLive(std::span<const PlayPosition> line) const;

    // The first step of a clearing line of moves after which the steps taken
    // plus the fewest steps left exceed the optimum: the step that lost
    // ground (1 for the first move). 0 when the line is optimal throughout
    // or cannot be judged.
    int FirstCostlyStep(const StageData& stage, std::span<const StepDirection> moves) const;

private:
    StateGraph graph_;
    Status status_ = Status::TooLarge;
    int optimum_ = -1;
};
