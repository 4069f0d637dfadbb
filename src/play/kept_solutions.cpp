// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/kept_solutions.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "play/stage_file.h"
#include "solver.h"

namespace {

std::optional<StepDirection> DirectionOfLetter(char letter) {
    switch (letter) {
        case 'L': return StepDirection::Left;
        case 'U': return StepDirection::Up;
        case 'R': return StepDirection::Right;
        case 'D': return StepDirection::Down;
        default: return std::nullopt;
    }
}

constexpr StepDirection kDirections[] = {StepDirection::Left, StepDirection::Up, StepDirection::Right,
                                         StepDirection::Down};

}  // namespace

std::vector<StepDirection> MovesFromText(const std::string& letters) {
    std::vector<StepDirection> moves;
    for (char letter : letters) {
        if (const auto direction = DirectionOfLetter(letter)) moves.push_back(*direction);
    }
    return moves;
}

std::vector<std::uint8_t> ReadStageFileBytes(int stage) {
    std::ifstream in(StageFilePath(stage), std::ios::binary);
    if (!in) return {};
    std::vector<std::uint8_t> bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > (1u << 20)) return {};  // no stage file is this long
    }
    return bytes;
}

KeptSolutions KeptSolutions::Load() {
    const std::optional<std::string> text = ReadSolutionsFile();
    return KeptSolutions(text ? ParseSolutions(*text) : SolutionsText{});
}

KeptSolutions::KeptSolutions(SolutionsText text) : text_(std::move(text)), problems_(text_.errors) {
    for (const SolutionLine& line : text_.lines) {
        std::string problem;
        if (Check(line, problem)) {
            offered_.push_back(line.stage);
        } else {
            problems_.push_back("stage " + std::to_string(line.stage) + ": " + problem);
        }
    }
}

bool KeptSolutions::Check(const SolutionLine& line, std::string& problem) const {
    const std::vector<std::uint8_t> bytes = ReadStageFileBytes(line.stage);
    if (bytes.empty()) {
        problem = "no stage file";
        return false;
    }
    if (StageFileHash(bytes) != line.stageHash) {
        problem = "the stage file has changed";
        return false;
    }
    const StageFileResult parsed = ParseStageFile(bytes);
    if (!parsed || !ReplayClears(parsed.stage, MovesFromText(line.moves))) {
        problem = "the moves do not clear the stage";
        return false;
    }
    return true;
}

SolutionLine* KeptSolutions::LineOf(int stage) {
    const auto found = std::find_if(text_.lines.begin(), text_.lines.end(),
                                    [stage](const SolutionLine& line) { return line.stage == stage; });
    return found == text_.lines.end() ? nullptr : &*found;
}

const SolutionLine* KeptSolutions::Offered(int stage) const {
    if (std::find(offered_.begin(), offered_.end(), stage) == offered_.end()) return nullptr;
    return const_cast<KeptSolutions*>(this)->LineOf(stage);
}

bool KeptSolutions::AidedOnly(int stage) const {
    const SolutionLine* line = Offered(stage);
    return line && line->aided;
}

bool KeptSolutions::RecordClear(int stage, const std::vector<StepDirection>& moves, bool aided) {
    if (moves.empty() || moves.size() > kMaxSolutionMoves) return false;
    SolutionLine* kept = LineOf(stage);
    const bool offered = Offered(stage) != nullptr;
    if (offered && moves.size() >= kept->moves.size()) {
        if (aided || !kept->aided) return false;
        kept->aided = false;  // cleared without help at last
        return true;
    }
    const std::vector<std::uint8_t> bytes = ReadStageFileBytes(stage);
    if (bytes.empty()) return false;
    SolutionLine line;
    line.stage = stage;
    line.stageHash = StageFileHash(bytes);
    line.moves = MovesText(moves);
    // Help once needed stays remembered until a clear without it.
    line.aided = aided && !(offered && !kept->aided);
    if (kept) {
        *kept = line;
    } else {
        text_.lines.push_back(line);
        std::sort(text_.lines.begin(), text_.lines.end(),
                  [](const SolutionLine& a, const SolutionLine& b) { return a.stage < b.stage; });
    }
    if (!offered) offered_.push_back(stage);
    return true;
}

std::vector<StepDirection> MovesOfAttempt(const StepHistory& history, const PlayPoint& current) {
    const auto& points = history.Points();
    if (points.empty() || points.front().rules.steps != 0 || points.size() != current.rules.steps) return {};
    std::vector<StepDirection> moves;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool last = i + 1 == points.size();
        std::optional<StepDirection> found;
        for (StepDirection direction : kDirections) {
            RuleState rules = points[i].rules;
            RulePlayer player;
            player.cell = points[i].figure.cell;
            const MoveOutcome outcome = PlayMove(rules, player, direction);
            const bool matches = last ? outcome.cleared
                                      : !outcome.cleared && !outcome.blocked && player.cell == points[i + 1].figure.cell &&
                                            rules == points[i + 1].rules;
            if (matches) {
                found = direction;
                break;
            }
        }
        if (!found) return {};
        moves.push_back(*found);
    }
    return moves;
}
