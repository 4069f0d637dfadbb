// SPDX-License-Identifier: GPL-3.0-or-later
// Writing stage files: the exact layout ParseStageFile reads (see
// stage_file.h). Used by the stage compiler and by tests that need small or
// deliberately odd stage files.
#pragma once

#include "play/board.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct StageData;

// Every field of a stage file as it will be written. Text is UTF-8 here and
// UTF-16LE in the file; a text longer than 255 UTF-16 units is cut there.
struct StageFileImage {
    std::int16_t widthPixels = 640;
    std::int16_t heightPixels = 480;
    // Key and value of each property; the game reads the first value as the
    // par and the second as the mark limit.
    std::vector<std::pair<std::string, std::string>> properties{{"par", "255"}, {"limit", "2"}};
    std::string backgroundName = "bg1.bfg";
    std::string tileName = "tails.bfg";
    Board board;  // cells (c, r) with c < width / 32 and r < height / 32 are written
    std::string thirdName;
    std::vector<BoardCell> characters;  // the last one is the start cell
};

// The properties of a stage: its par, its mark limit and, when it has one, its
// name (read only by the title card).
std::vector<std::pair<std::string, std::string>> StageProperties(std::uint8_t par, std::uint8_t markLimit,
                                                                 const std::string& name);

// The image of a parsed stage: full size, par and mark limit, one character.
StageFileImage StageFileImageOf(const StageData& stage);

// The bytes of a stage file.
std::vector<std::uint8_t> EncodeStageFile(const StageFileImage& image);
