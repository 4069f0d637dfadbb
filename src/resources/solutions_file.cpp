// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/solutions_file.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "resources/replace_file.h"
#include "resources/save_data.h"

namespace {

constexpr const char* kHeader = "# Veltrim best solutions: stage, hash of the stage file, moves (L U R D), aided or unaided";

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        const std::size_t begin = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
        if (at > begin) words.push_back(line.substr(begin, at - begin));
    }
    return words;
}

// Empty when the line reads; else what is wrong with it.
std::string ReadLine(std::string_view line, SolutionLine& out) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 4) return "expected 4 fields, found " + std::to_string(words.size());
    const std::string_view stage = words[0];
    const auto [stageEnd, stageError] = std::from_chars(stage.data(), stage.data() + stage.size(), out.stage);
    if (stageError != std::errc{} || stageEnd != stage.data() + stage.size() || out.stage < 1 || out.stage > 255) {
        return "the stage number is not 1 to 255";
    }
    const std::string_view hash = words[1];
    const auto [hashEnd, hashError] = std::from_chars(hash.data(), hash.data() + hash.size(), out.stageHash, 16);
    if (hash.size() != 16 || hashError != std::errc{} || hashEnd != hash.data() + hash.size()) {
        return "the hash is not 16 hex digits";
    }
    const std::string_view moves = words[2];
    if (moves.size() > kMaxSolutionMoves) return "more than 254 moves";
    if (moves.find_first_not_of("LURD") != std::string_view::npos) return "the moves are not L U R D";
    out.moves = std::string(moves);
    if (words[3] == "aided") {
        out.aided = true;
    } else if (words[3] == "unaided") {
        out.aided = false;
    } else {
        return "the last field is neither aided nor unaided";
    }
    return {};
}

}  // namespace

SolutionsText ParseSolutions(std::string_view text) {
    SolutionsText result;
    if (text.size() > kMaxSolutionsBytes) {
        result.errors.push_back("the file is longer than 1 MiB; the rest is ignored");
        text = text.substr(0, kMaxSolutionsBytes);
    }
    std::set<int> seen;
    int number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Words(line).empty() || line.front() == '#') continue;
        SolutionLine read;
        std::string problem = ReadLine(line, read);
        if (problem.empty() && !seen.insert(read.stage).second) problem = "stage " + std::to_string(read.stage) + " again";
        if (!problem.empty()) {
            result.errors.push_back("line " + std::to_string(number) + ": " + problem);
            result.unreadLines.emplace_back(line);
            continue;
        }
        result.lines.push_back(std::move(read));
    }
    return result;
}

std::string FormatSolutions(const SolutionsText& solutions) {
    std::string text = std::string(kHeader) + "\n";
    for (const SolutionLine& line : solutions.lines) {
        char hash[17] = {};
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(line.stageHash));
        text += std::to_string(line.stage) + " " + hash + " " + line.moves + (line.aided ? " aided\n" : " unaided\n");
    }
    for (const std::string& unread : solutions.unreadLines) text += unread + "\n";
    return text;
}

std::uint64_t StageFileHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

std::vector<std::string> SolutionsFilePlaces() {
    std::vector<std::string> places;
    for (const std::string& save : SaveData::FilePlaces()) {
        places.push_back((std::filesystem::path(save).parent_path() / "solutions.txt").string());
    }
    return places;
}

std::optional<std::string> ReadSolutionsFile() {
    for (const std::string& place : SolutionsFilePlaces()) {
        std::ifstream in(place, std::ios::binary);
        if (!in) continue;
        std::string text;
        text.resize(kMaxSolutionsBytes + 1);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        return text;
    }
    return std::nullopt;
}

bool WriteSolutionsFile(const std::string& text) {
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    for (const std::string& place : SolutionsFilePlaces()) {
        if (ReplaceFile(place, bytes)) return true;
    }
    return false;
}
