// SPDX-License-Identifier: GPL-3.0-or-later
#include "critique.h"

#include "state_graph.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr StepDirection kDirections[] = {StepDirection::Left, StepDirection::Up, StepDirection::Right,
                                         StepDirection::Down};

// Kinds a plan's events are sorted into, for "ways to use" a kind.
constexpr const char* kPlanKinds[] = {"arrow", "burst", "warp10", "warp11", "eraser",
                                      "goal5", "goal6", "goal7", "goal8", "mark"};
constexpr std::size_t kPlanKindCount = std::size(kPlanKinds);
constexpr std::size_t kMarkKind = kPlanKindCount - 1;

bool CodeOfKind(const std::string& kind, std::uint8_t code) {
    if (kind == "arrow") return IsArrow(code);
    if (kind == "burst") return code == CELL_BURST;
    if (kind == "warp10") return code == CELL_WARP_A;
    if (kind == "warp11") return code == CELL_WARP_B;
    if (kind == "eraser") return code == CELL_ERASER;
    for (std::uint8_t goal = CELL_GOAL_1; goal <= CELL_GOAL_4; ++goal) {
        if (kind == "goal" + std::to_string(goal)) return code == goal;
    }
    return false;
}

std::size_t PlanKindOf(std::uint8_t code) {
    if (IsArrow(code)) return 0;
    if (code == CELL_BURST) return 1;
    if (code == CELL_WARP_A) return 2;
    if (code == CELL_WARP_B) return 3;
    if (code == CELL_ERASER) return 4;
    if (IsGoal(code)) return 5 + (code - CELL_GOAL_1);
    return kMarkKind;
}

template <typename F>
void ForEachPlayCell(F&& f) {
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) f(BoardCell{column, row});
    }
}

int CellIndex(BoardCell cell) {
    return (cell.row - Board::kFirstPlayRow) * Board::kPlayColumns + (cell.column - Board::kFirstPlayColumn);
}

// A plan is the multiset of tile events of a solution. It is kept as a sum
// of one random word per event (so the order of events does not matter),
// overall and per kind.
struct Plan {
    std::uint64_t all = 0;
    std::array<std::uint64_t, kPlanKindCount> byKind{};
};

// One event: a cell's effect ran (a mark landed on or erased, a tile fired,
// a warp carried the player, the goal cleared the stage).
struct Event {
    int id = -1;  // -1: nothing happened
    std::size_t kind = 0;
};

class EventWords {
public:
    EventWords() {
        std::uint64_t x = 0x243F6A8885A308D3ull;
        for (std::uint64_t& word : words_) {
            x += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = z ^ (z >> 31);
        }
    }
    std::uint64_t operator[](int id) const { return words_[static_cast<std::size_t>(id)]; }

    // Events of a cell: landed on (or fired), and erased.
    static int Landed(BoardCell cell) { return CellIndex(cell) * 2; }
    static int Erased(BoardCell cell) { return CellIndex(cell) * 2 + 1; }

private:
    std::array<std::uint64_t, Board::kPlayColumns * Board::kPlayRows * 2> words_{};
};

const EventWords kEventWords;

Plan WithEvent(Plan plan, Event event) {
    if (event.id < 0) return plan;
    plan.all += kEventWords[event.id];
    plan.byKind[event.kind] += kEventWords[event.id];
    return plan;
}

// What a step from a state did, told from the cell stepped onto, the erase
// mode before the step and the step's outcome.
Event EventOf(const RuleState& before, BoardCell from, StepDirection direction, const MoveOutcome& outcome) {
    const BoardCell target = StepTarget(from, direction);
    const std::uint8_t code = before.board.At(target);
    if (outcome.blocked) return {};
    if (before.eraseMode) {
        if (IsMark(code)) return {EventWords::Erased(target), PlanKindOf(CELL_ERASER)};
        return {};
    }
    if (IsMark(code)) {
        if (IsFrozenMark(code, before.markLimit)) return {};
        return {EventWords::Landed(target), kMarkKind};
    }
    if (IsGoal(code)) return outcome.cleared ? Event{EventWords::Landed(target), PlanKindOf(code)} : Event{};
    if (IsWarp(code)) return outcome.warped ? Event{EventWords::Landed(target), PlanKindOf(code)} : Event{};
    if (IsArrow(code) || code == CELL_BURST || code == CELL_ERASER) return {EventWords::Landed(target), PlanKindOf(code)};
    return {};
}

// The plans of a naive clear: each wrong mark landed on its fewest times, no
// tile, then a goal.
std::unordered_set<std::uint64_t> NaivePlans(const StageData& stage) {
    std::unordered_set<std::uint64_t> plans;
    const std::uint8_t limit = stage.markLimit;
    for (std::uint8_t goal = CELL_GOAL_1; goal <= CELL_GOAL_4; ++goal) {
        const std::uint8_t wanted = GoalValue(goal);
        std::uint64_t marks = 0;
        bool possible = true;
        ForEachPlayCell([&](BoardCell cell) {
            const std::uint8_t value = stage.board.At(cell);
            if (!IsMark(value) || value == wanted) return;
            if (value > limit || wanted > limit) {
                possible = false;
                return;
            }
            const int landings = (wanted - value + limit) % limit;
            marks += static_cast<std::uint64_t>(landings) * kEventWords[EventWords::Landed(cell)];
        });
        if (!possible) continue;
        ForEachPlayCell([&](BoardCell cell) {
            if (stage.board.At(cell) == goal) plans.insert(marks + kEventWords[EventWords::Landed(cell)]);
        });
    }
    return plans;
}

// Walks the optimal part of the graph forwards: the optimal move lists
// (counted, capped) and the plans they follow.
void GroupOptimalSolutions(const StageData& stage, const StateGraph& graph, const CritiqueLimits& limits,
                           Critique& out) {
    const int optimum = graph.ToClear(0);
    auto onOptimalPath = [&](std::uint32_t s) {
        return !graph.Dead(s) && graph.Depth(s) + graph.ToClear(s) == optimum;
    };
    std::vector<std::uint64_t> lists(graph.Size(), 0);
    std::unordered_map<std::uint32_t, std::vector<Plan>> pending;
    lists[0] = 1;
    pending[0].push_back(Plan{});
    std::unordered_map<std::uint64_t, Plan> finalPlans;
    std::uint64_t moveLists = 0;
    // The mechanics on every optimal way to a state, and on some.
    std::vector<MechanicSet> everyWay(graph.Size(), kAllMechanics);
    std::vector<MechanicSet> someWay(graph.Size(), 0);
    everyWay[0] = 0;
    MechanicSet reliesOn = kAllMechanics;
    MechanicSet meets = 0;
    RuleState from;
    BoardCell cell;
    for (std::uint32_t s = 0; s < graph.Size(); ++s) {
        if (lists[s] == 0) continue;
        std::vector<Plan> plans = std::move(pending[s]);
        pending.erase(s);
        std::sort(plans.begin(), plans.end(), [](const Plan& a, const Plan& b) { return a.all < b.all; });
        plans.erase(std::unique(plans.begin(), plans.end(), [](const Plan& a, const Plan& b) { return a.all == b.all; }),
                    plans.end());
        if (plans.size() > limits.plansPerStateCap) {
            plans.resize(limits.plansPerStateCap);
            out.plansAtLeast = true;
        }
        graph.Unpack(s, from, cell);
        for (StepDirection direction : kDirections) {
            const std::uint32_t t = graph.Next(s, direction);
            const bool clears = t == StateGraph::kClears && graph.ToClear(s) == 1;
            const bool forward = t < StateGraph::kClears && onOptimalPath(t) && graph.Depth(t) == graph.Depth(s) + 1 &&
                                 graph.ToClear(t) + 1 == graph.ToClear(s);
            if (!clears && !forward) continue;
            RuleState next = from;
            RulePlayer player;
            player.cell = cell;
            const MoveOutcome outcome = PlayMove(next, player, direction);
            const Event event = EventOf(from, cell, direction, outcome);
            const MechanicSet used = MechanicsOfStep(from, cell, direction, outcome);
            if (clears) {
                reliesOn &= everyWay[s] | used;
                meets |= someWay[s] | used;
                moveLists = std::min(moveLists + lists[s], limits.moveListCap);
                for (const Plan& plan : plans) {
                    const Plan done = WithEvent(plan, event);
                    finalPlans.emplace(done.all, done);
                }
                continue;
            }
            everyWay[t] &= everyWay[s] | used;
            someWay[t] |= someWay[s] | used;
            lists[t] = std::min(lists[t] + lists[s], limits.moveListCap);
            std::vector<Plan>& into = pending[t];
            for (const Plan& plan : plans) into.push_back(WithEvent(plan, event));
        }
    }
    // The graph is still held while its optimal part is walked.
    out.peakBytes = std::max(out.peakBytes, graph.PeakBytes() + lists.capacity() * sizeof(std::uint64_t) +
                                                2 * everyWay.capacity() * sizeof(MechanicSet));
    out.moveLists = moveLists;
    out.reliesOn = moveLists > 0 ? reliesOn : 0;
    out.meets = meets;
    out.moveListsAtLeast = moveLists >= limits.moveListCap;
    out.plans = finalPlans.size();
    const std::unordered_set<std::uint64_t> naive = NaivePlans(stage);
    std::array<std::unordered_set<std::uint64_t>, kPlanKindCount> ways;
    for (const auto& [all, plan] : finalPlans) {
        if (naive.count(all)) out.naive = true;
        for (std::size_t k = 0; k < kPlanKindCount; ++k) {
            if (plan.byKind[k] != 0) ways[k].insert(plan.byKind[k]);
        }
    }
    for (std::size_t k = 0; k < kPlanKindCount; ++k) out.waysToUse[kPlanKinds[k]] = static_cast<int>(ways[k].size());
}

bool Cancelled(const CritiqueLimits& limits) { return limits.stop.stop_requested(); }

// What the solver would report, read off a complete graph. The graph is
// explored in the solver's own breadth-first order, so its states have the
// solver's numbers and first parents: the solver stops at the first state of
// layer optimum - 1 that has a clearing step, with every state reached so
// far in its store.
SolveResult SolveFromGraph(const StateGraph& graph) {
    const int maxSteps = SolverLimits{}.maxSteps;
    SolveResult result;
    result.peakBytes = 0;  // the graph's own peak stands for it
    auto statesWithin = [&](int depth) {
        std::uint64_t count = 0;
        for (std::uint32_t s = 0; s < graph.Size(); ++s) count += graph.Depth(s) <= depth;
        return count;
    };
    if (graph.Dead(0)) {
        int deepest = 0;
        for (std::uint32_t s = 0; s < graph.Size(); ++s) deepest = std::max(deepest, graph.Depth(s));
        result.status = deepest >= maxSteps ? SolveStatus::TooManySteps : SolveStatus::NoSolution;
        result.states = deepest >= maxSteps ? statesWithin(maxSteps) : graph.Size();
        return result;
    }
    const int optimum = graph.ToClear(0);
    if (optimum > maxSteps) {
        result.status = SolveStatus::TooManySteps;
        result.states = statesWithin(maxSteps);
        return result;
    }
    std::uint32_t reached = 0;  // the highest state number reached so far
    for (std::uint32_t s = 0; s < graph.Size(); ++s) {
        const bool last = graph.Depth(s) == optimum - 1 && graph.ToClear(s) == 1;
        for (StepDirection direction : kDirections) {
            const std::uint32_t to = graph.Next(s, direction);
            if (last && to == StateGraph::kClears) {
                result.status = SolveStatus::Solved;
                result.moves = graph.PathTo(s);
                result.moves.push_back(direction);
                result.states = std::uint64_t{std::max(reached, s)} + 1;
                return result;
            }
            if (to < StateGraph::kClears) reached = std::max(reached, to);
        }
    }
    result.status = SolveStatus::NoSolution;  // not reached: a live start has a clearing state
    result.states = graph.Size();
    return result;
}

// The graph's measures; `solved` gets the stage's solve from it when the
// graph is complete.
void MeasureGraph(const StageData& stage, const CritiqueLimits& limits, Critique& out,
                  std::optional<SolveResult>& solved) {
    const StateGraph graph(stage, limits.memoryBytes, limits.stop);
    out.peakBytes = std::max(out.peakBytes, graph.PeakBytes());
    out.graphComplete = graph.Complete();
    out.states = graph.Size();
    if (!out.graphComplete) return;
    solved = SolveFromGraph(graph);
    for (std::uint32_t s = 0; s < graph.Size(); ++s) {
        if (!graph.Dead(s)) continue;
        ++out.deadStates;
        if (out.trapDepth < 0) {  // states are in breadth-first order: the first is the shallowest
            out.trapDepth = graph.Depth(s);
            out.trapMoves = graph.PathTo(s);
        }
    }
    if (!graph.Dead(0)) GroupOptimalSolutions(stage, graph, limits, out);
}

// The optimum of the stage with each tile kind made plain floor. The solves
// are independent: `threads` - 1 helpers take kinds while the caller's
// thread measures the stage itself, then joins in.
class NecessitySolves {
public:
    NecessitySolves(const StageData& stage, const CritiqueLimits& limits)
        : stage_(stage), limits_(limits), kinds_(TileKindsOn(stage.board)), results_(kinds_.size()) {
        for (int i = 1; i < limits.threads && static_cast<std::size_t>(i) <= kinds_.size(); ++i) {
            helpers_.emplace_back([this] { Work(); });
        }
    }
    ~NecessitySolves() { Finish(); }

    // Solves what is left here and waits for the helpers.
    void Finish() {
        Work();
        for (std::thread& helper : helpers_) helper.join();
        helpers_.clear();
    }

    void Report(Critique& out) const {
        using Verdict = KindNecessity::Verdict;
        for (std::size_t k = 0; k < kinds_.size(); ++k) {
            const SolveResult& result = results_[k];
            out.peakBytes = std::max(out.peakBytes, result.peakBytes);
            KindNecessity necessity;
            necessity.kind = kinds_[k];
            if (result.status == SolveStatus::Solved) {
                necessity.optimum = result.Steps();
                necessity.change = result.Steps() - out.optimum;
                necessity.verdict = out.optimum < 0            ? Verdict::Unknown
                                    : necessity.change > 0     ? Verdict::Longer
                                    : necessity.change == 0    ? Verdict::Equal
                                                               : Verdict::Shorter;
            } else if (result.status == SolveStatus::OutOfMemory) {
                necessity.verdict = Verdict::Unknown;
            } else {
                necessity.verdict = Verdict::Unsolvable;
            }
            out.necessity.push_back(necessity);
        }
    }

private:
    void Work() {
        SolverLimits solverLimits;
        solverLimits.memoryBytes = limits_.memoryBytes;
        solverLimits.stop = limits_.stop;
        for (std::size_t k = next_++; k < kinds_.size(); k = next_++) {
            if (Cancelled(limits_)) return;
            StageData without = stage_;
            without.board = WithoutKind(stage_.board, kinds_[k]);
            results_[k] = SolveStage(without, solverLimits);
        }
    }

    const StageData& stage_;
    const CritiqueLimits& limits_;
    const std::vector<std::string> kinds_;
    std::vector<SolveResult> results_;
    std::atomic<std::size_t> next_{0};
    std::vector<std::thread> helpers_;
};

void MeasureShape(const StageData& stage, Critique& out) {
    int top = Board::kLastPlayRow, bottom = Board::kFirstPlayRow;
    int left = Board::kLastPlayColumn, right = Board::kFirstPlayColumn;
    ForEachPlayCell([&](BoardCell cell) {
        const std::uint8_t code = stage.board.At(cell);
        if (code == CELL_EMPTY) return;
        ++out.cells;
        if (IsFrozenMark(code, stage.markLimit)) ++out.frozenMarks;
        top = std::min(top, cell.row);
        bottom = std::max(bottom, cell.row);
        left = std::min(left, cell.column);
        right = std::max(right, cell.column);
    });
    for (int row = top; row <= bottom; ++row) {
        if (row != top) out.shape += '/';
        for (int column = left; column <= right; ++column) {
            out.shape += stage.board.At(column, row) == CELL_EMPTY ? '.' : '#';
        }
    }
}

}  // namespace

std::vector<std::string> TileKindsOn(const Board& board) {
    std::vector<std::string> kinds;
    std::vector<std::string> goals;
    for (const char* kind : {"arrow", "burst", "warp10", "warp11", "eraser", "goal5", "goal6", "goal7", "goal8"}) {
        bool present = false;
        ForEachPlayCell([&](BoardCell cell) { present = present || CodeOfKind(kind, board.At(cell)); });
        if (!present) continue;
        (std::string(kind).rfind("goal", 0) == 0 ? goals : kinds).push_back(kind);
    }
    if (goals.size() > 1) kinds.insert(kinds.end(), goals.begin(), goals.end());
    return kinds;
}

Board WithoutKind(const Board& board, const std::string& kind) {
    Board plain = board;
    ForEachPlayCell([&](BoardCell cell) {
        if (CodeOfKind(kind, board.At(cell))) plain.Set(cell, CELL_FLOOR);
    });
    return plain;
}

const char* VerdictName(KindNecessity::Verdict verdict) {
    switch (verdict) {
        case KindNecessity::Verdict::Unsolvable: return "unsolvable";
        case KindNecessity::Verdict::Longer: return "longer";
        case KindNecessity::Verdict::Equal: return "equal";
        case KindNecessity::Verdict::Shorter: return "shorter";
        case KindNecessity::Verdict::Unknown: return "unknown";
    }
    return "unknown";
}

Critique CritiqueStage(const StageData& stage, const CritiqueLimits& limits) {
    const auto started = std::chrono::steady_clock::now();
    Critique out;
    NecessitySolves necessity(stage, limits);  // with helper threads, under way from here
    MeasureShape(stage, out);
    // The complete graph answers what the solver would; the solver runs
    // only when the graph is past the memory bound.
    std::optional<SolveResult> solved;
    if (!Cancelled(limits)) MeasureGraph(stage, limits, out, solved);
    if (!solved) {
        SolverLimits solverLimits;
        solverLimits.memoryBytes = limits.memoryBytes;
        solverLimits.stop = limits.stop;
        solved = SolveStage(stage, solverLimits);
    }
    out.solveStatus = solved->status;
    out.positions = solved->states;
    out.peakBytes = std::max(out.peakBytes, solved->peakBytes);
    if (solved->status == SolveStatus::Solved) {
        out.optimum = solved->Steps();
        out.solution = solved->moves;
    }
    necessity.Finish();
    out.cancelled = Cancelled(limits);
    if (!out.cancelled) necessity.Report(out);
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return out;
}
