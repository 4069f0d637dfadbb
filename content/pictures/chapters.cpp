// SPDX-License-Identifier: GPL-3.0-or-later
#include "chapters.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

#include "stage_source.h"

namespace pictures {

namespace {

// What a stage asks of the player, by the name of its chapter, in the order
// in which a stage that brings in several things is named.
std::vector<std::string> NoveltiesOf(const StageSource& stage) {
    std::map<std::uint8_t, int> counts;
    std::set<int> goals;
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r)
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) {
            const std::uint8_t code = stage.board.At(c, r);
            ++counts[code];
            if (IsGoal(code)) goals.insert(code);
        }
    auto count = [&](std::uint8_t code) {
        auto it = counts.find(code);
        return it == counts.end() ? 0 : it->second;
    };
    auto has = [&](std::uint8_t code) { return count(code) > 0; };
    std::vector<std::string> found;
    if (count(CELL_WARP_A) >= 3 || count(CELL_WARP_B) >= 3) found.push_back("One-way warps");
    if (has(CELL_ERASER)) found.push_back("The eraser");
    if (has(CELL_WARP_A) && has(CELL_WARP_B)) found.push_back("Warps of two kinds");
    if (has(CELL_WARP_A) || has(CELL_WARP_B)) found.push_back("Warps");
    if (has(CELL_BURST)) found.push_back("Bursts");
    if (has(CELL_ARROW_UP) || has(CELL_ARROW_RIGHT) || has(CELL_ARROW_DOWN) || has(CELL_ARROW_LEFT))
        found.push_back("Arrows");
    if (stage.markLimit == 4) found.push_back("Counting to four");
    if (stage.markLimit == 3) found.push_back("Counting to three");
    if (goals.size() >= 2) found.push_back("Two goals");
    return found;
}

}  // namespace

std::vector<Chapter> ChaptersOf(const std::vector<std::pair<int, StageSource>>& stages) {
    std::vector<Chapter> chapters;
    std::set<std::string> seen;
    for (const auto& [number, stage] : stages) {
        std::string fresh;
        for (const std::string& novelty : NoveltiesOf(stage))
            if (seen.insert(novelty).second && fresh.empty()) fresh = novelty;
        if (chapters.empty()) {
            chapters.push_back({number, number, fresh.empty() ? "First steps" : fresh});
        } else if (!fresh.empty()) {
            chapters.push_back({number, number, fresh});
        }
        chapters.back().last = number;
    }
    return chapters;
}

std::vector<std::pair<int, StageSource>> ReadStageFolder(const std::string& folder) {
    std::vector<std::pair<int, StageSource>> stages;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".stage") continue;
        const int number = StageNumberOfSourceName(entry.path().string());
        if (number == 0) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const StageSourceResult parsed = ParseStageSource(text);
        if (!parsed.ok) throw std::runtime_error(entry.path().string() + ":" + std::to_string(parsed.line) + ": " + parsed.reason);
        stages.emplace_back(number, parsed.source);
    }
    std::sort(stages.begin(), stages.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return stages;
}

}  // namespace pictures
