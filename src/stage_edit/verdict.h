// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's live verdict on the stage being drawn: the critic's figures
// and the design rules it breaks, and what changed since the last verdict.
#pragma once

#include "critique.h"
#include "design_rules.h"
#include "stage_source.h"

#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

// One tile kind's necessity, as the verdict shows it.
struct KindRole {
    std::string kind;  // "arrow", "burst", "warp10", ...
    KindNecessity::Verdict verdict = KindNecessity::Verdict::Unknown;
    int change = 0;  // optimum without it minus with it (Longer, Shorter)
    // The stage gets harder or unsolvable without it.
    bool Needed() const {
        return verdict == KindNecessity::Verdict::Unsolvable || verdict == KindNecessity::Verdict::Longer;
    }
    bool operator==(const KindRole&) const = default;
};

struct Verdict {
    bool solvable = false;
    SolveStatus status = SolveStatus::NoSolution;
    int optimum = -1;
    bool graphComplete = false;
    std::uint64_t states = 0;  // reachable positions
    std::uint64_t deadStates = 0;
    int trapDepth = -1;        // moves to the shallowest dead position, -1 none
    std::string trapMoves;     // L U R D
    std::uint64_t plans = 0;   // distinct optimal plans
    bool plansAtLeast = false;
    std::vector<KindRole> kinds;
    std::vector<RuleBreach> breaches;  // the rules the stage breaks
    double seconds = 0;                // the critic's time
};

// What the stage is judged as: its own design and number, and the other
// stages of its set (their designs only: a frozen mark is allowed after a
// stage that teaches it).
struct VerdictSubject {
    StageData stage;
    StageDesign design;
    std::string file = "stage";  // as breaches name it
    int number = 0;
    std::vector<CritiquedStage> others;
};

// Runs the critic and the design rules. Breaches of rule 3 (shape reuse)
// need the whole set measured and are not looked for. A stop request ends
// the judging early, and `cancelled` is then true.
Verdict JudgeStage(const VerdictSubject& subject, std::stop_token stop = {}, bool* cancelled = nullptr);

// One figure that differs between two verdicts.
struct VerdictChange {
    enum class What { Solvable, Optimum, States, DeadStates, TrapDepth, Plans, KindNeeded, KindGone, Rule };
    What what = What::Optimum;
    std::string kind;         // KindNeeded, KindGone: the tile kind
    int rule = 0;             // Rule: the rule's number
    std::int64_t before = 0;  // Solvable, KindNeeded, Rule: 0 or 1 (broken for Rule)
    std::int64_t after = 0;
    bool operator==(const VerdictChange&) const = default;
};

// The figures that changed from `before` to `after`, in the panel's order.
std::vector<VerdictChange> VerdictChanges(const Verdict& before, const Verdict& after);

// The designs of the other stage sources in a source's folder, for the
// rules that look beyond one stage.
std::vector<CritiquedStage> OtherStagesBeside(const std::string& sourcePath);
