// SPDX-License-Identifier: GPL-3.0-or-later
// The best clears kept in "solutions.txt", checked against the stages as
// they are now: a line is offered for replay only when its hash matches its
// stage file and its moves clear that stage on the rules. Other lines are
// set aside: kept in the file, never offered.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "play/step_history.h"
#include "play/tile_rules.h"
#include "resources/solutions_file.h"

class KeptSolutions {
public:
    // Reads the file and checks every line against "Stage/stage<n>.map".
    static KeptSolutions Load();
    // Checks already parsed lines (the stage files are read as Load does).
    explicit KeptSolutions(SolutionsText text);
    KeptSolutions() = default;

    // The line of a stage that may be replayed, or null.
    const SolutionLine* Offered(int stage) const;
    // A stage whose offered line says it was cleared only with help.
    bool AidedOnly(int stage) const;
    // What went wrong reading the file (unreadable lines, set-aside lines).
    const std::vector<std::string>& Problems() const { return problems_; }

    // A clear of `stage` in `moves`: kept when it is the first offered line
    // of the stage or shorter than it; an unaided clear also lifts the aided
    // mark. True when the lines changed (the caller writes the file).
    bool RecordClear(int stage, const std::vector<StepDirection>& moves, bool aided);
    std::string Text() const { return FormatSolutions(text_); }
    bool Save() const { return WriteSolutionsFile(Text()); }

private:
    SolutionLine* LineOf(int stage);
    bool Check(const SolutionLine& line, std::string& problem) const;

    SolutionsText text_;
    std::vector<int> offered_;  // stages whose line passed the checks
    std::vector<std::string> problems_;
};

// The moves of the attempt that has just cleared: the history holds the
// point before every counted step, and the clearing step's
// direction is found again by playing it. Empty when the history no longer
// reaches back to the start.
std::vector<StepDirection> MovesOfAttempt(const StepHistory& history, const PlayPoint& current);

// Reads the bytes of a stage file; empty when it cannot be read.
std::vector<std::uint8_t> ReadStageFileBytes(int stage);

// The moves of a kept line (letters other than L U R D are skipped).
std::vector<StepDirection> MovesFromText(const std::string& letters);
