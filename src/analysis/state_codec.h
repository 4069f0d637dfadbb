// SPDX-License-Identifier: GPL-3.0-or-later
// Packs the part of a stage's play state that can change into a few 64-bit
// words: the player's cell, the erasures left, and each mark cell's value.
// Everything else on the board never changes during play, so it is taken from
// the stage itself when a state is unpacked.
#pragma once

#include "play/stage_file.h"
#include "play/tile_rules.h"

#include <cstdint>
#include <vector>

class StateCodec {
public:
    explicit StateCodec(const StageData& stage);

    // Words of one packed state.
    int Words() const { return words_; }
    int Bits() const { return bits_; }

    // Packs a state in play (not clearing) with the player on `player`.
    void Pack(const RuleState& state, BoardCell player, std::uint64_t* out) const;
    // Unpacks into a fresh rule state and player cell.
    void Unpack(const std::uint64_t* in, RuleState& state, BoardCell& player) const;

private:
    // One mark cell: where it is on the board's raw grid and how its values
    // map to small codes. Packing runs for every step the searches try, so
    // a field is read and written straight from the grid.
    struct MarkField {
        std::uint16_t grid = 0;  // index into Board::Cells()
        std::uint8_t column = 0;
        std::uint8_t row = 0;
        std::uint8_t bits = 0;
        std::uint8_t codeOfValue[kMaxMarkLimit + 1] = {};  // value 0 = erased
        std::uint8_t valueOfCode[8] = {};
    };

    RuleState base_;
    bool hasEraser_ = false;
    std::vector<MarkField> marks_;
    int bits_ = 0;
    int words_ = 1;
};
