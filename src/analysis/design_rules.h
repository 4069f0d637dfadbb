// SPDX-License-Identifier: GPL-3.0-or-later
// The design rules a stage set is held to, checked on the critic's measures
// and each stage's declared design (teaches:, features:, traps:).
#pragma once

#include "critique.h"
#include "stage_source.h"

#include <string>
#include <vector>

// One stage of a set, as the rules see it.
struct CritiquedStage {
    std::string file;    // as named to the critic
    int number = 0;      // the stage number, from the file name; 0 when it has none
    StageDesign design;  // empty for a stage file without a source
    Critique critique;
};

struct RuleBreach {
    std::string file;
    int rule = 0;  // 0: the stage cannot be measured or cleared at all
    std::string text;
    // "file: rule N (name): text"
    std::string Message() const;
};

// Share of the optimum a featured tile kind must add when it is taken away,
// and the fewest steps.
constexpr double kNecessaryLonger = 1.25;
constexpr int kNecessaryMinSteps = 4;
// From this stage on no optimal plan may be naive.
constexpr int kFirstStageWithoutNaivePlans = 11;
// Most stages one walkable shape may serve.
constexpr int kMaxStagesPerShape = 2;
// No dead state this many moves from the start (one, where traps are allowed).
constexpr int kTrapFreeMoves = 6;

// The rule that every mechanic a stage relies on was taught at or before it:
// a matter of the whole set, which a stage judged alone cannot keep.
constexpr int kMechanicsTaughtRule = 7;

std::vector<RuleBreach> CheckDesignRules(const std::vector<CritiquedStage>& stages);

// The stage number a file name starts with ("07-crossing.stage" is 7), also
// after "stage" ("stage7.map"); 0 when there is none.
int StageNumberOfFile(const std::string& path);

const char* RuleName(int rule);
