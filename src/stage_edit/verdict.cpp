// SPDX-License-Identifier: GPL-3.0-or-later
#include "verdict.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

namespace {

bool Breaks(const Verdict& verdict, int rule) {
    return std::any_of(verdict.breaches.begin(), verdict.breaches.end(),
                       [rule](const RuleBreach& b) { return b.rule == rule; });
}

const KindRole* RoleOf(const Verdict& verdict, const std::string& kind) {
    for (const KindRole& role : verdict.kinds) {
        if (role.kind == kind) return &role;
    }
    return nullptr;
}

}  // namespace

Verdict JudgeStage(const VerdictSubject& subject, std::stop_token stop, bool* cancelled) {
    CritiqueLimits limits;
    limits.stop = stop;
    // The editor judges one stage at a time: the tile kinds' solves may use the other cores.
    limits.threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    const Critique critique = CritiqueStage(subject.stage, limits);
    if (cancelled) *cancelled = critique.cancelled;
    Verdict verdict;
    verdict.status = critique.solveStatus;
    verdict.solvable = critique.optimum >= 0;
    verdict.optimum = critique.optimum;
    verdict.graphComplete = critique.graphComplete;
    verdict.states = critique.states;
    verdict.deadStates = critique.deadStates;
    verdict.trapDepth = critique.trapDepth;
    verdict.trapMoves = MovesText(critique.trapMoves);
    verdict.plans = critique.plans;
    verdict.plansAtLeast = critique.plansAtLeast;
    verdict.seconds = critique.seconds;
    for (const KindNecessity& n : critique.necessity) verdict.kinds.push_back({n.kind, n.verdict, n.change});

    std::vector<CritiquedStage> set = subject.others;
    set.push_back({subject.file, subject.number, subject.design, critique});
    for (RuleBreach& breach : CheckDesignRules(set)) {
        if (breach.file == subject.file && breach.rule != 3) verdict.breaches.push_back(std::move(breach));
    }
    return verdict;
}

std::vector<VerdictChange> VerdictChanges(const Verdict& before, const Verdict& after) {
    using What = VerdictChange::What;
    std::vector<VerdictChange> changes;
    auto figure = [&](What what, std::int64_t a, std::int64_t b) {
        if (a != b) changes.push_back({what, {}, 0, a, b});
    };
    figure(What::Solvable, before.solvable, after.solvable);
    if (before.solvable && after.solvable) figure(What::Optimum, before.optimum, after.optimum);
    if (before.graphComplete && after.graphComplete) {
        figure(What::States, static_cast<std::int64_t>(before.states), static_cast<std::int64_t>(after.states));
        figure(What::DeadStates, static_cast<std::int64_t>(before.deadStates),
               static_cast<std::int64_t>(after.deadStates));
        figure(What::TrapDepth, before.trapDepth, after.trapDepth);
    }
    if (before.solvable && after.solvable) {
        figure(What::Plans, static_cast<std::int64_t>(before.plans), static_cast<std::int64_t>(after.plans));
    }
    for (const KindRole& role : after.kinds) {
        const KindRole* was = RoleOf(before, role.kind);
        const bool wasNeeded = was && was->Needed();
        if (wasNeeded != role.Needed()) changes.push_back({What::KindNeeded, role.kind, 0, wasNeeded, role.Needed()});
    }
    for (const KindRole& role : before.kinds) {
        if (!RoleOf(after, role.kind)) changes.push_back({What::KindGone, role.kind, 0, 1, 0});
    }
    std::set<int> rules;
    for (const RuleBreach& b : before.breaches) rules.insert(b.rule);
    for (const RuleBreach& b : after.breaches) rules.insert(b.rule);
    for (int rule : rules) {
        const bool was = Breaks(before, rule), is = Breaks(after, rule);
        if (was != is) changes.push_back({What::Rule, {}, rule, was, is});
    }
    return changes;
}

std::vector<CritiquedStage> OtherStagesBeside(const std::string& sourcePath) {
    namespace fs = std::filesystem;
    std::vector<CritiquedStage> others;
    std::error_code error;
    const fs::path own = fs::path(sourcePath);
    const fs::path folder = own.parent_path().empty() ? fs::path(".") : own.parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".stage" || fs::equivalent(entry.path(), own, error)) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const StageSourceResult parsed = ParseStageSource(text);
        if (!parsed.ok) continue;
        CritiquedStage other;
        other.file = entry.path().string();
        other.number = StageNumberOfSourceName(entry.path().filename().string());
        other.design = parsed.source.design;
        // The other stages are not searched here, so what a tile kind's name
        // after "teaches:" teaches is taken at its widest: every mechanic of
        // that kind. (The build narrows it to what the teaching stage relies
        // on; named mechanics are exact either way.)
        other.critique.reliesOn = kAllMechanics;
        others.push_back(std::move(other));
    }
    return others;
}
