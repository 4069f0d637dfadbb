// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_codec.h"

#include <bit>

namespace {

constexpr int kPlayerBits = 8;   // 16 x 10 cells
constexpr int kErasureBits = 3;  // 0..5 erasures left

// Fields are at most 8 bits wide and may straddle two words.
void PutBits(std::uint64_t* words, int& at, int bits, std::uint64_t value) {
    const int word = at / 64;
    const int shift = at % 64;
    words[word] |= value << shift;
    if (shift + bits > 64) words[word + 1] |= value >> (64 - shift);
    at += bits;
}

std::uint64_t GetBits(const std::uint64_t* words, int& at, int bits) {
    const int word = at / 64;
    const int shift = at % 64;
    std::uint64_t value = words[word] >> shift;
    if (shift + bits > 64) value |= words[word + 1] << (64 - shift);
    at += bits;
    return value & ((std::uint64_t{1} << bits) - 1);
}

int PlayerIndex(BoardCell cell) {
    return (cell.row - Board::kFirstPlayRow) * Board::kPlayColumns + (cell.column - Board::kFirstPlayColumn);
}

BoardCell PlayerCell(int index) {
    return {Board::kFirstPlayColumn + index % Board::kPlayColumns, Board::kFirstPlayRow + index / Board::kPlayColumns};
}

}  // namespace

StateCodec::StateCodec(const StageData& stage) : base_(StartingRuleState(stage)) {
    const std::uint8_t limit = base_.markLimit;
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            if (base_.board.At(column, row) == CELL_ERASER) hasEraser_ = true;
        }
    }
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            const std::uint8_t value = base_.board.At(column, row);
            if (!IsMark(value)) continue;
            // Values a mark can take: 1..limit when it starts inside the
            // cycle, only itself when it starts above the limit, and 0 once
            // erased.
            std::vector<std::uint8_t> values;
            if (value <= limit) {
                for (std::uint8_t v = 1; v <= limit; ++v) values.push_back(v);
            } else {
                values.push_back(value);
            }
            if (hasEraser_) values.push_back(0);
            MarkField field;
            field.cell = {column, row};
            field.bits = std::bit_width(values.size() - 1);
            for (std::size_t code = 0; code < values.size(); ++code) {
                field.codeOfValue[values[code]] = static_cast<std::uint8_t>(code);
                field.valueOfCode[code] = values[code];
            }
            bits_ += field.bits;
            marks_.push_back(field);
        }
    }
    bits_ += kPlayerBits + (hasEraser_ ? kErasureBits : 0);
    words_ = (bits_ + 63) / 64;
}

void StateCodec::Pack(const RuleState& state, BoardCell player, std::uint64_t* out) const {
    for (int i = 0; i < words_; ++i) out[i] = 0;
    int at = 0;
    PutBits(out, at, kPlayerBits, static_cast<std::uint64_t>(PlayerIndex(player)));
    if (hasEraser_) PutBits(out, at, kErasureBits, static_cast<std::uint64_t>(state.eraseMode ? state.erasuresLeft : 0));
    for (const MarkField& field : marks_) {
        PutBits(out, at, field.bits, field.codeOfValue[state.board.At(field.cell)]);
    }
}

void StateCodec::Unpack(const std::uint64_t* in, RuleState& state, BoardCell& player) const {
    state = base_;
    int at = 0;
    player = PlayerCell(static_cast<int>(GetBits(in, at, kPlayerBits)));
    if (hasEraser_) {
        state.erasuresLeft = static_cast<int>(GetBits(in, at, kErasureBits));
        state.eraseMode = state.erasuresLeft > 0;
    }
    for (const MarkField& field : marks_) {
        state.board.Set(field.cell, field.valueOfCode[GetBits(in, at, field.bits)]);
    }
}
