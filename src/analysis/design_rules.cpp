// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>

namespace {

using Verdict = KindNecessity::Verdict;

std::string MovesOf(const std::vector<StepDirection>& moves) { return moves.empty() ? "-" : MovesText(moves); }

class RuleChecker {
public:
    explicit RuleChecker(const std::vector<CritiquedStage>& stages) : stages_(stages) {}

    std::vector<RuleBreach> Check() {
        FindFirstFrozenTeacher();
        FindMechanicTeachers();
        for (const CritiquedStage& stage : stages_) {
            FrozenMarksAreTaught(stage);  // a matter of the board alone, like the shape
            if (!Measurable(stage)) continue;
            TileKindsAreNecessary(stage);
            NoNaivePlan(stage);
            NoEarlyTrap(stage);
            for (const std::string& taught : stage.design.teaches) TeachingOffersAChoice(stage, taught);
            MechanicsAreTaughtFirst(stage);
        }
        ShapesAreNotOverused();
        std::stable_sort(breaches_.begin(), breaches_.end(),
                         [](const RuleBreach& a, const RuleBreach& b) { return a.file < b.file; });
        return breaches_;
    }

private:
    void Breach(const CritiquedStage& stage, int rule, std::string text) {
        breaches_.push_back({stage.file, rule, std::move(text)});
    }

    bool Measurable(const CritiquedStage& stage) {
        const Critique& c = stage.critique;
        if (c.optimum < 0) {
            Breach(stage, 0, std::string("cannot be cleared: ") + DescribeSolveStatus(c.solveStatus));
            return false;
        }
        if (!c.graphComplete) {
            Breach(stage, 0, "the state graph (" + std::to_string(c.states) + "+ states) exceeds the memory bound");
            return false;
        }
        return true;
    }

    static const KindNecessity* NecessityOf(const Critique& c, const std::string& kind) {
        const auto it = std::find_if(c.necessity.begin(), c.necessity.end(),
                                     [&](const KindNecessity& n) { return n.kind == kind; });
        return it == c.necessity.end() ? nullptr : &*it;
    }

    // 1. A featured (or taught) tile kind is necessary; one merely present is no hazard.
    void TileKindsAreNecessary(const CritiquedStage& stage) {
        const Critique& c = stage.critique;
        std::vector<std::string> featured = stage.design.features;
        for (const std::string& taught : stage.design.teaches) {
            if (IsFeatureKind(taught)) featured.push_back(taught);
        }
        for (const std::string& kind : featured) {
            const KindNecessity* it = NecessityOf(c, kind);
            if (!it) {
                // A single goal code is never measured: without it nothing clears.
                if (kind.rfind("goal", 0) == 0 && c.waysToUse.count(kind) && c.waysToUse.at(kind) > 0) continue;
                Breach(stage, 1, "featured " + kind + " is not on the board");
                continue;
            }
            if (it->verdict == Verdict::Unsolvable) continue;
            if (it->verdict == Verdict::Unknown) {
                Breach(stage, 1, "featured " + kind + ": the stage without it could not be solved within the memory bound");
                continue;
            }
            const bool longEnough = it->optimum >= kNecessaryLonger * c.optimum && it->change >= kNecessaryMinSteps;
            if (!longEnough) {
                Breach(stage, 1, "featured " + kind + " is not necessary: without it the optimum is " +
                                     std::to_string(it->optimum) + " instead of " + std::to_string(c.optimum) +
                                     " (needs unsolvable or at least " + std::to_string(kNecessaryMinSteps) +
                                     " steps and 25 % longer)");
            }
        }
        for (const KindNecessity& n : c.necessity) {
            if (std::find(featured.begin(), featured.end(), n.kind) != featured.end()) continue;
            if (n.verdict == Verdict::Shorter) {
                Breach(stage, 1, n.kind + " is only a hazard: without it the optimum is " + std::to_string(n.optimum) +
                                     " instead of " + std::to_string(c.optimum));
            }
        }
    }

    // 2. From stage 11 on, no optimal plan is naive.
    void NoNaivePlan(const CritiquedStage& stage) {
        if (stage.number < kFirstStageWithoutNaivePlans || !stage.critique.naive) return;
        Breach(stage, 2, "an optimal plan lands on each wrong mark its fewest times and uses no tile");
    }

    // 4. No dead state within the first moves.
    void NoEarlyTrap(const CritiquedStage& stage) {
        const Critique& c = stage.critique;
        if (c.trapDepth < 0) return;
        const int freeMoves = stage.design.trapsAllowed ? 1 : kTrapFreeMoves;
        if (c.trapDepth > freeMoves) return;
        Breach(stage, 4, "a dead state after " + std::to_string(c.trapDepth) + " move(s) (" + MovesOf(c.trapMoves) +
                             "); " + (stage.design.trapsAllowed ? "even with traps allowed none on the first move"
                                                                : "none allowed within " + std::to_string(kTrapFreeMoves) +
                                                                      " moves without \"traps: allowed\""));
    }

    void FindFirstFrozenTeacher() {
        for (const CritiquedStage& stage : stages_) {
            if (stage.design.Teaches("frozen") && (firstFrozenTeacher_ == 0 || stage.number < firstFrozenTeacher_)) {
                firstFrozenTeacher_ = stage.number;
            }
        }
    }

    // 5. Frozen marks only from the stage that teaches them on.
    void FrozenMarksAreTaught(const CritiquedStage& stage) {
        const Critique& c = stage.critique;
        if (c.frozenMarks == 0) return;
        if (stage.design.Teaches("frozen")) return;
        if (firstFrozenTeacher_ > 0 && stage.number > firstFrozenTeacher_) return;
        Breach(stage, 5, std::to_string(c.frozenMarks) + " frozen mark(s) before any stage teaches them" +
                             (firstFrozenTeacher_ > 0 ? " (taught in stage " + std::to_string(firstFrozenTeacher_) + ")"
                                                      : " (no stage declares \"teaches: frozen\")"));
    }

    // The tile kinds whose ways of use show a choice for a taught name.
    static std::vector<std::string> KindsOfTaught(const std::string& taught) {
        if (IsFeatureKind(taught)) return {taught};
        if (taught == "arrow-run") return {"arrow"};
        if (taught == "burst-wide") return {"burst"};
        if (taught == "warp-pair" || taught == "warp-chain") return {"warp10", "warp11"};
        if (taught == "arrow-one") return {"arrow"};
        if (taught == "burst-few") return {"burst"};
        if (taught == "eraser") return {"eraser"};
        return {};
    }

    // 6. A teaching stage cannot be cleared by walking its only corridor.
    void TeachingOffersAChoice(const CritiquedStage& stage, const std::string& taught) {
        const Critique& c = stage.critique;
        if (c.deadStates > 0) return;  // some plans do not clear
        // A goal is a choice when another goal also clears, only later.
        const bool goal = taught.rfind("goal", 0) == 0;
        if (goal) {
            for (const KindNecessity& n : c.necessity) {
                const bool named = taught == "goal-choice" ? n.kind.rfind("goal", 0) == 0 : n.kind == taught;
                if (named && n.verdict == KindNecessity::Verdict::Longer) return;
            }
            Breach(stage, 6, "teaches " + taught + " but offers no choice: no other goal clears the stage");
            return;
        }
        const std::vector<std::string> kinds = KindsOfTaught(taught);
        int count = 0;
        for (const std::string& kind : kinds.empty() ? std::vector<std::string>{"mark"} : kinds) {
            const auto ways = c.waysToUse.find(kind);
            if (ways != c.waysToUse.end()) count = std::max(count, ways->second);
        }
        if (kinds.empty() ? c.plans >= 2 : count >= 2) return;
        Breach(stage, 6, "teaches " + taught + " but offers no choice: no plan fails and the optimal plans use it " +
                             (count == 1 ? "one way" : "in no way"));
    }

    void FindMechanicTeachers() {
        for (const CritiquedStage& stage : stages_) {
            for (const std::string& taught : stage.design.teaches) {
                const MechanicSet mechanics = MechanicsTaught(taught, stage.critique.reliesOn);
                for (int m = 0; m < kMechanicCount; ++m) {
                    if (!(mechanics & MechanicBit(static_cast<Mechanic>(m)))) continue;
                    int& first = firstTeacher_[static_cast<std::size_t>(m)];
                    if (first == 0 || stage.number < first) first = stage.number;
                }
            }
        }
    }

    // 7. Every mechanic the optimum relies on was first met in a stage at or
    // before this one that teaches it; what a stage teaches, its optimum
    // relies on.
    void MechanicsAreTaughtFirst(const CritiquedStage& stage) {
        const Critique& c = stage.critique;
        MechanicSet taughtHere = 0;
        for (const std::string& taught : stage.design.teaches) {
            const MechanicSet offered = MechanicsOfTeachName(taught);
            if (offered != 0 && !(offered & c.reliesOn)) {
                Breach(stage, kMechanicsTaughtRule, "teaches " + taught + " but no mechanic of it (" + MechanicNames(offered) +
                                     ") is used by every optimal solution");
            }
            taughtHere |= MechanicsTaught(taught, c.reliesOn);
        }
        for (int m = 0; m < kMechanicCount; ++m) {
            const Mechanic mechanic = static_cast<Mechanic>(m);
            const MechanicSet bit = MechanicBit(mechanic);
            if (!(c.reliesOn & bit) || (taughtHere & bit)) continue;
            const int first = firstTeacher_[static_cast<std::size_t>(m)];
            if (first > 0 && first <= stage.number) continue;
            Breach(stage, kMechanicsTaughtRule, std::string("every optimal solution relies on ") + MechanicName(mechanic) + " (" +
                                 MechanicMeaning(mechanic) + ") before any stage teaches it" +
                                 (first > 0 ? " (taught in stage " + std::to_string(first) + ")"
                                            : std::string(" (no stage declares \"teaches: ") + MechanicName(mechanic) +
                                                  "\")"));
        }
    }

    // 3. No walkable shape in more than two stages.
    void ShapesAreNotOverused() {
        std::map<std::string, std::vector<const CritiquedStage*>> byShape;
        for (const CritiquedStage& stage : stages_) {
            if (!stage.critique.shape.empty()) byShape[stage.critique.shape].push_back(&stage);
        }
        for (const auto& [shape, users] : byShape) {
            if (static_cast<int>(users.size()) <= kMaxStagesPerShape) continue;
            std::string names;
            for (const CritiquedStage* user : users) names += (names.empty() ? "" : ", ") + StageName(*user);
            for (const CritiquedStage* user : users) {
                Breach(*user, 3, "its walkable shape is used by " + std::to_string(users.size()) + " stages (" + names + ")");
            }
        }
    }

    static std::string StageName(const CritiquedStage& stage) {
        return stage.number > 0 ? std::to_string(stage.number) : std::filesystem::path(stage.file).filename().string();
    }

    const std::vector<CritiquedStage>& stages_;
    std::vector<RuleBreach> breaches_;
    int firstFrozenTeacher_ = 0;
    std::array<int, kMechanicCount> firstTeacher_{};  // stage numbers, 0: none
};

}  // namespace

const char* RuleName(int rule) {
    switch (rule) {
        case 0: return "playable";
        case 1: return "necessary tiles";
        case 2: return "no naive plan";
        case 3: return "shape reuse";
        case 4: return "early traps";
        case 5: return "frozen marks taught";
        case 6: return "teaching offers a choice";
        case kMechanicsTaughtRule: return "mechanics taught";
    }
    return "unknown";
}

std::string RuleBreach::Message() const {
    return file + ": rule " + std::to_string(rule) + " (" + RuleName(rule) + "): " + text;
}

std::vector<RuleBreach> CheckDesignRules(const std::vector<CritiquedStage>& stages) { return RuleChecker(stages).Check(); }

int StageNumberOfFile(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    if (name.rfind("stage", 0) == 0) name.erase(0, 5);
    int number = 0;
    std::size_t i = 0;
    for (; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && number < 1000; ++i) {
        number = number * 10 + (name[i] - '0');
    }
    return i == 0 ? 0 : number;
}
