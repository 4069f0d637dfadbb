// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a stage file from its bytes. The layout, little-endian throughout,
// text as a length byte and that many UTF-16LE units:
//
//   3 bytes  signature (ignored)
//   int16    board width in pixels, int16 board height in pixels
//   1 byte   (ignored)
//   1 byte   property count N, then N properties: key text (ignored), value
//            text (decimal). The first is the par, the second the mark limit.
//   1 byte   (ignored), background picture name
//   1 byte   (ignored), tile picture name (ignored: the game draws "tails.bfg")
//   R rows of C cell codes, C = width / 32, R = height / 32
//   1 byte   (ignored), a third name (ignored)
//   1 byte   character count K, then K entries: kind byte (ignored), int16
//            column, int16 row. The last entry is the player's start cell.
//
// Pure: no file access, no pictures. The map scene reads the file and hands
// the bytes over; the stage compiler, the solver and the tests do the same.
#pragma once

#include "play/board.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Everything a stage file says that the game uses.
struct StageData {
    Board board;                  // border already emptied
    std::uint8_t par = 255;       // target step count; 255 = no par
    std::uint8_t markLimit = 2;   // 1..4
    int widthPixels = 0;          // as stored in the file
    int heightPixels = 0;
    std::string backgroundName;   // UTF-8
    std::string tileName;         // as stored; never drawn
    BoardCell start;              // inside the playing area, on a non-empty cell
};

enum class StageFileError {
    None,
    Truncated,       // the file ends before its last field
    BadSize,         // negative size, wider than 640 or higher than 960 pixels
    NoCharacter,     // no character entry, so no start cell
    StartOutside,    // the start cell is not in the playing area
    StartOnEmpty,    // the start cell holds code 0
};

// A short English description of a failure, for tools and logs.
const char* DescribeStageFileError(StageFileError error);

struct StageFileResult {
    StageFileError error = StageFileError::None;
    StageData stage;  // meaningful only when error is None (all-empty board otherwise)
    explicit operator bool() const { return error == StageFileError::None; }
};

// Largest board a file may describe.
constexpr int kMaxStageWidthPixels = Board::kColumns * Board::kCellPixels;  // 640
constexpr int kMaxStageHeightPixels = Board::kRows * Board::kCellPixels;    // 960

// Parses a whole stage file.
// Property values out of range fall back: par to 255, mark limit to 2. A file
// with fewer than two properties is read the same way: a missing par counts
// as 255 (no par) and a missing mark limit as 2. Properties after the second
// are read and ignored.
StageFileResult ParseStageFile(std::span<const std::uint8_t> bytes);

// The par value of a stage file as ParseStageFile would give it, reading only
// the head of the file (used to count the stages at start-up). Empty when the
// head is cut short.
std::optional<std::uint8_t> ParseStagePar(std::span<const std::uint8_t> bytes);

// The property key of a stage's name. Stage files may carry the name as
// their third property (after the par and the mark limit); only the title
// card reads it, and ParseStageFile never keeps it.
inline constexpr const char* kStageNameKey = "title";
// The stage's name (UTF-8) from the head of a stage file: the value of a third
// property keyed "title". Empty for a file without one or cut short.
std::string ParseStageName(std::span<const std::uint8_t> bytes);

// Converts decimal text like the C library's wide atoi: leading blanks, an
// optional sign, digits up to the first other character; no digits give 0.
// Saturates instead of overflowing.
int ParseDecimalValue(std::u16string_view text);

// The path of a stage file relative to the game's folder: "Stage/stage<n>.map".
std::string StageFilePath(int stage);
