// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_file.h"

#include <climits>

namespace {

// Reads little-endian fields off a byte span. Running out of bytes makes the
// reader fail for good; reads after that return zeros, so the caller checks
// Failed() once at the points where it matters.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Failed() const { return failed_; }

    std::uint8_t Byte() {
        if (!Have(1)) return 0;
        return bytes_[pos_++];
    }

    std::int16_t Int16() {
        if (!Have(2)) return 0;
        const auto value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return static_cast<std::int16_t>(value);
    }

    void Skip(std::size_t count) {
        if (Have(count)) pos_ += count;
    }

    // A length byte and that many UTF-16LE units.
    std::u16string Text() {
        const std::size_t units = Byte();
        std::u16string text;
        if (!Have(units * 2)) return text;
        text.reserve(units);
        for (std::size_t i = 0; i < units; ++i) {
            text.push_back(static_cast<char16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8)));
            pos_ += 2;
        }
        return text;
    }

    // Copies count bytes into out; fails without copying when fewer are left.
    void Bytes(std::uint8_t* out, std::size_t count) {
        if (!Have(count)) return;
        for (std::size_t i = 0; i < count; ++i) out[i] = bytes_[pos_ + i];
        pos_ += count;
    }

private:
    bool Have(std::size_t count) {
        if (failed_ || bytes_.size() - pos_ < count) {
            failed_ = true;
            return false;
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Names are read into a terminated buffer by the game, so a NUL inside ends them.
std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c == 0) break;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::uint8_t ParFromValue(int value) {
    return value >= 0 && value <= 254 ? static_cast<std::uint8_t>(value) : std::uint8_t{255};
}

std::uint8_t MarkLimitFromValue(int value) {
    return value >= 1 && value <= kMaxMarkLimit ? static_cast<std::uint8_t>(value) : std::uint8_t{2};
}

// Reads the head up to and including the properties.
void ReadHead(ByteReader& in, StageData& stage) {
    in.Skip(3);  // signature
    stage.widthPixels = in.Int16();
    stage.heightPixels = in.Int16();
    in.Skip(1);
    const int properties = in.Byte();
    for (int i = 0; i < properties && !in.Failed(); ++i) {
        in.Text();  // key: only the position counts
        const int value = ParseDecimalValue(in.Text());
        if (i == 0) stage.par = ParFromValue(value);
        if (i == 1) stage.markLimit = MarkLimitFromValue(value);
    }
}

StageFileError ReadStage(ByteReader& in, StageData& stage) {
    ReadHead(in, stage);
    in.Skip(1);
    stage.backgroundName = ToUtf8(in.Text());
    in.Skip(1);
    stage.tileName = ToUtf8(in.Text());
    if (in.Failed()) return StageFileError::Truncated;

    if (stage.widthPixels < 0 || stage.heightPixels < 0 || stage.widthPixels > kMaxStageWidthPixels ||
        stage.heightPixels > kMaxStageHeightPixels) {
        return StageFileError::BadSize;
    }
    const int columns = stage.widthPixels / Board::kCellPixels;
    const int rows = stage.heightPixels / Board::kCellPixels;
    std::array<std::uint8_t, Board::kColumns> row{};
    for (int r = 0; r < rows; ++r) {
        in.Bytes(row.data(), static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) stage.board.Set(c, r, row[c]);
    }

    in.Skip(1);
    in.Text();  // third name
    const int characters = in.Byte();
    int column = 0;
    int rowOfStart = 0;
    for (int i = 0; i < characters; ++i) {
        in.Skip(1);  // kind: the game has one character
        column = in.Int16();
        rowOfStart = in.Int16();
    }
    if (in.Failed()) return StageFileError::Truncated;

    if (characters == 0) return StageFileError::NoCharacter;
    if (!Board::InPlayingArea(column, rowOfStart)) return StageFileError::StartOutside;
    if (stage.board.At(column, rowOfStart) == CELL_EMPTY) return StageFileError::StartOnEmpty;
    stage.start = {column, rowOfStart};
    stage.board.ClearBorder();
    return StageFileError::None;
}

}  // namespace

const char* DescribeStageFileError(StageFileError error) {
    switch (error) {
        case StageFileError::None: return "no error";
        case StageFileError::Truncated: return "the file ends before its last field";
        case StageFileError::BadSize: return "the board size is negative or larger than 640 x 960 pixels";
        case StageFileError::NoCharacter: return "the file has no character entry (no start cell)";
        case StageFileError::StartOutside: return "the start cell lies outside the playing area";
        case StageFileError::StartOnEmpty: return "the start cell is empty";
    }
    return "unknown error";
}

StageFileResult ParseStageFile(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    StageFileResult result;
    result.error = ReadStage(in, result.stage);
    if (result.error != StageFileError::None) result.stage = StageData{};
    return result;
}

std::optional<std::uint8_t> ParseStagePar(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    StageData stage;
    ReadHead(in, stage);
    if (in.Failed()) return std::nullopt;
    return stage.par;
}

std::string ParseStageName(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    in.Skip(3 + 2 + 2 + 1);  // signature, width, height, a skipped byte
    const int properties = in.Byte();
    for (int i = 0; i < properties && i <= 2; ++i) {
        const std::u16string key = in.Text();
        const std::u16string value = in.Text();
        if (in.Failed()) return {};
        if (i == 2 && ToUtf8(key) == kStageNameKey) return ToUtf8(value);
    }
    return {};
}

int ParseDecimalValue(std::u16string_view text) {
    std::size_t i = 0;
    auto blank = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < text.size() && blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // saturate
    }
    if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::string StageFilePath(int stage) { return "Stage/stage" + std::to_string(stage) + ".map"; }
