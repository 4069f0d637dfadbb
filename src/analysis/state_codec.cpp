// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_codec.h"

#include <bit>

namespace {

constexpr int kPlayerBits = 8;   // 16 x 10 cells
constexpr int kErasureBits = 3;  // 0..5 erasures left

// Fields are at most 8 bits wide and laid end to end from the lowest bit
// of the first word; a field may straddle two words. The writer and reader
// keep the word under way in a register.
class BitWriter {
public:
    explicit BitWriter(std::uint64_t* out) : out_(out) {}
    void Put(unsigned bits, std::uint64_t value) {
        word_ |= value << used_;
        used_ += bits;
        if (used_ >= 64) {
            *out_++ = word_;
            used_ -= 64;
            word_ = used_ == 0 ? 0 : value >> (bits - used_);
        }
    }
    // Writes the last word begun; `end` is one past the packed state's words.
    void Finish(const std::uint64_t* end) {
        if (out_ < end) *out_++ = word_;
        while (out_ < end) *out_++ = 0;
    }

private:
    std::uint64_t* out_;
    std::uint64_t word_ = 0;
    unsigned used_ = 0;
};

class BitReader {
public:
    explicit BitReader(const std::uint64_t* in) : in_(in), word_(*in) {}
    std::uint64_t Get(unsigned bits) {
        if (bits == 0) return 0;  // a mark that cannot change: nothing stored, nothing to read past the end
        if (used_ == 64) {  // the last field ended a word: move on only now
            word_ = *++in_;
            used_ = 0;
        }
        std::uint64_t value = word_ >> used_;
        const unsigned end = used_ + bits;
        if (end > 64) {  // the rest of the field is in the next word
            word_ = *++in_;
            value |= word_ << (64 - used_);
            used_ = end - 64;
        } else {
            used_ = end;
        }
        return value & ((std::uint64_t{1} << bits) - 1);
    }

private:
    const std::uint64_t* in_;
    std::uint64_t word_;
    unsigned used_ = 0;
};

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
            field.grid = static_cast<std::uint16_t>(row * Board::kColumns + column);
            field.column = static_cast<std::uint8_t>(column);
            field.row = static_cast<std::uint8_t>(row);
            field.bits = static_cast<std::uint8_t>(std::bit_width(values.size() - 1));
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
    BitWriter writer(out);
    writer.Put(kPlayerBits, static_cast<std::uint64_t>(PlayerIndex(player)));
    if (hasEraser_) writer.Put(kErasureBits, static_cast<std::uint64_t>(state.eraseMode ? state.erasuresLeft : 0));
    const auto& cells = state.board.Cells();
    for (const MarkField& field : marks_) writer.Put(field.bits, field.codeOfValue[cells[field.grid]]);
    writer.Finish(out + words_);
}

void StateCodec::Unpack(const std::uint64_t* in, RuleState& state, BoardCell& player) const {
    state = base_;
    BitReader reader(in);
    player = PlayerCell(static_cast<int>(reader.Get(kPlayerBits)));
    if (hasEraser_) {
        state.erasuresLeft = static_cast<int>(reader.Get(kErasureBits));
        state.eraseMode = state.erasuresLeft > 0;
    }
    for (const MarkField& field : marks_) {
        const std::uint8_t value = field.valueOfCode[reader.Get(field.bits)];
        state.board.Set(field.column, field.row, value);
    }
}
