// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_source.h"

#include "mechanics.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr char kStartCharacter = 'S';

// The map's characters and the cell codes they stand for; 'S' is floor too.
constexpr std::pair<char, std::uint8_t> kCellCharacters[] = {
    {'.', CELL_EMPTY},       {'-', CELL_FLOOR},       {'1', CELL_MARK_1},     {'2', CELL_MARK_2},
    {'3', CELL_MARK_3},      {'4', CELL_MARK_4},      {'A', CELL_GOAL_1},     {'B', CELL_GOAL_2},
    {'C', CELL_GOAL_3},      {'D', CELL_GOAL_4},      {'W', CELL_WARP_A},     {'M', CELL_WARP_B},
    {'^', CELL_ARROW_UP},    {'>', CELL_ARROW_RIGHT}, {'v', CELL_ARROW_DOWN}, {'<', CELL_ARROW_LEFT},
    {'*', CELL_BURST},       {'E', CELL_ERASER},
};

std::optional<std::uint8_t> CodeOfCharacter(char c) {
    if (c == kStartCharacter) return CELL_FLOOR;
    for (const auto& [character, code] : kCellCharacters) {
        if (character == c) return code;
    }
    return std::nullopt;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Counts UTF-16 units of UTF-8 text (4-byte sequences take two).
std::size_t Utf16Units(std::string_view text) {
    std::size_t units = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++units;
        if (c >= 0xF0) ++units;
    }
    return units;
}

constexpr std::string_view kFeatureKinds[] = {"arrow", "burst", "warp10", "warp11", "eraser",
                                              "goal5", "goal6", "goal7", "goal8"};
constexpr std::string_view kTeachOnlyKinds[] = {"mark", "frozen"};

std::string KindList(bool teachable) {
    std::string list;
    for (std::string_view kind : kFeatureKinds) list += (list.empty() ? "" : " ") + std::string(kind);
    if (teachable) {
        for (std::string_view kind : kTeachOnlyKinds) list += " " + std::string(kind);
        for (int m = 0; m < kMechanicCount; ++m) {
            const std::string name = MechanicName(static_cast<Mechanic>(m));
            if (!IsFeatureKind(name) && name != "mark") list += " " + name;
        }
    }
    return list;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t begin = text.find_first_not_of(" \t,", at);
        if (begin == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t,", begin), text.size());
        words.push_back(text.substr(begin, end - begin));
        at = end;
    }
    return words;
}

class SourceReader {
public:
    StageSourceResult Read(std::string_view text) {
        Check(text);
        return result_;
    }

private:
    // Reads the whole source; false at the first fault.
    bool Check(std::string_view text) {
        const std::vector<std::string_view> lines = Lines(text);
        const int lastLine = static_cast<int>(lines.size());
        std::size_t i = 0;
        for (; i < lines.size() && !mapFound_; ++i) {
            if (!Header(Trim(lines[i]), static_cast<int>(i + 1))) return false;
        }
        if (!mapFound_) return Fail(lastLine, "no \"map:\" section");
        if (!limitFound_) return Fail(mapLine_, "\"limit:\" is missing before the map");
        int row = 0;
        for (; i < lines.size(); ++i) {
            const std::string_view line = Trim(lines[i]);
            const int lineNumber = static_cast<int>(i + 1);
            if (line.empty() || line.front() == '#') continue;
            if (row == Board::kPlayRows) return Fail(lineNumber, "more than 10 map rows");
            if (!MapRow(line, row++, lineNumber)) return false;
        }
        if (row < Board::kPlayRows) return Fail(lastLine, "the map has " + std::to_string(row) + " rows, not 10");
        if (starts_ != 1) {
            return Fail(mapLine_, "the map needs exactly one start cell 'S', it has " + std::to_string(starts_));
        }
        result_.ok = true;
        return true;
    }

    // Records the first fault; always false.
    bool Fail(int line, std::string reason) {
        result_.ok = false;
        result_.line = line;
        result_.reason = std::move(reason);
        return false;
    }

    bool Header(std::string_view line, int lineNumber) {
        if (line.empty() || line.front() == '#') return true;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) return Fail(lineNumber, "expected \"key: value\" or \"map:\"");
        const std::string key(Trim(line.substr(0, colon)));
        const std::string value(Trim(line.substr(colon + 1)));
        StageSource& source = result_.source;
        if (key == "map") {
            if (!value.empty()) return Fail(lineNumber, "the map starts on the line after \"map:\"");
            mapFound_ = true;
            mapLine_ = lineNumber;
        } else if (key == "title") {
            source.title = value;
        } else if (key == "limit") {
            if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
                return Fail(lineNumber, "the mark limit must be 1, 2, 3 or 4");
            }
            source.markLimit = static_cast<std::uint8_t>(value[0] - '0');
            limitFound_ = true;
        } else if (key == "background") {
            if (value.empty() || Utf16Units(value) > 255) {
                return Fail(lineNumber, "the background name must have 1 to 255 characters");
            }
            source.backgroundName = value;
        } else if (key == "teaches") {
            for (std::string_view word : Words(value)) {
                if (!IsTeachableKind(word)) {
                    return Fail(lineNumber, "cannot teach \"" + std::string(word) + "\"; \"teaches:\" names " + KindList(true));
                }
                source.design.teaches.emplace_back(word);
            }
        } else if (key == "features") {
            for (std::string_view word : Words(value)) {
                if (!IsFeatureKind(word)) {
                    return Fail(lineNumber, "unknown feature \"" + std::string(word) + "\"; features are " + KindList(false));
                }
                source.design.features.emplace_back(word);
            }
        } else if (key == "traps") {
            if (value != "allowed" && value != "none") return Fail(lineNumber, "\"traps:\" is \"allowed\" or \"none\"");
            source.design.trapsAllowed = value == "allowed";
        } else {
            return Fail(lineNumber, "unknown key \"" + key + "\"");
        }
        return true;
    }

    bool MapRow(std::string_view line, int row, int lineNumber) {
        if (line.size() != static_cast<std::size_t>(Board::kPlayColumns)) {
            return Fail(lineNumber, "a map row has 16 cells, this one " + std::to_string(line.size()));
        }
        for (int column = 0; column < Board::kPlayColumns; ++column) {
            const char c = line[static_cast<std::size_t>(column)];
            const std::optional<std::uint8_t> code = CodeOfCharacter(c);
            if (!code) {
                return Fail(lineNumber, std::string("unknown cell '") + c + "' in column " + std::to_string(column + 1));
            }
            const BoardCell cell{Board::kFirstPlayColumn + column, Board::kFirstPlayRow + row};
            result_.source.board.Set(cell, *code);
            if (c == kStartCharacter) {
                result_.source.start = cell;
                ++starts_;
            }
        }
        return true;
    }

    StageSourceResult result_;
    bool mapFound_ = false;
    bool limitFound_ = false;
    int mapLine_ = 0;
    int starts_ = 0;
};

}  // namespace

bool IsFeatureKind(std::string_view name) {
    return std::find(std::begin(kFeatureKinds), std::end(kFeatureKinds), name) != std::end(kFeatureKinds);
}

bool IsTeachableKind(std::string_view name) {
    return IsFeatureKind(name) || MechanicNamed(name) ||
           std::find(std::begin(kTeachOnlyKinds), std::end(kTeachOnlyKinds), name) != std::end(kTeachOnlyKinds);
}

StageSourceResult ParseStageSource(std::string_view text) { return SourceReader().Read(text); }

int StageNumberOfSourceName(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    int number = 0;
    std::size_t digits = 0;
    for (; digits < fileName.size() && fileName[digits] >= '0' && fileName[digits] <= '9'; ++digits) {
        number = number * 10 + (fileName[digits] - '0');
        if (number > 255) return 0;
    }
    return digits > 0 ? number : 0;
}

char SourceCharacterOf(std::uint8_t code) {
    for (const auto& [character, c] : kCellCharacters) {
        if (c == code) return character;
    }
    return 0;
}

std::string OwnBackgroundName(int stageNumber) { return "stage" + std::to_string(stageNumber) + ".bfg"; }

StageFileImage StageFileImageOf(const StageSource& source, std::uint8_t par) {
    StageFileImage image;
    image.properties = StageProperties(par, source.markLimit, source.title);
    image.backgroundName = source.backgroundName;
    image.board = source.board;
    image.characters = {source.start};
    return image;
}
