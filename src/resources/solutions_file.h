// SPDX-License-Identifier: GPL-3.0-or-later
// "solutions.txt", beside "data.sav": the moves of every stage's best clear,
// readable text, one line a stage:
//
//   <stage number> <hash of the stage file, 16 hex digits> <moves: L U R D> <aided|unaided>
//
// "aided" while the stage has been cleared only after a hint. Lines starting
// with '#' are comments. A line that cannot be read is reported and kept as
// it stands, so rewriting the file loses nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct SolutionLine {
    int stage = 0;
    std::uint64_t stageHash = 0;
    std::string moves;  // letters L U R D
    bool aided = false;

    bool operator==(const SolutionLine&) const = default;
};

struct SolutionsText {
    std::vector<SolutionLine> lines;
    std::vector<std::string> unreadLines;  // kept verbatim
    std::vector<std::string> errors;       // one per unread line: "line 3: ..."
};

// The most bytes read; a longer file is read this far and the rest reported.
constexpr std::size_t kMaxSolutionsBytes = 1 << 20;
// The most moves a line may hold (the step counter stops at 255).
constexpr std::size_t kMaxSolutionMoves = 254;

SolutionsText ParseSolutions(std::string_view text);
std::string FormatSolutions(const SolutionsText& solutions);

// The hash a line keeps of its stage file (64-bit FNV-1a of its bytes).
std::uint64_t StageFileHash(std::span<const std::uint8_t> bytes);

// The places of "solutions.txt": beside each place of "data.sav", in the
// same order of preference.
std::vector<std::string> SolutionsFilePlaces();
// The text of the first place that holds the file; empty when none does.
std::optional<std::string> ReadSolutionsFile();
// Writes the text to the first place that takes it, atomically.
bool WriteSolutionsFile(const std::string& text);
