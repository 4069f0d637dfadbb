// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_file_writer.h"

#include "play/stage_file.h"

#include <algorithm>

namespace {

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string ToUtf16(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!ok || c > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

class ByteWriter {
public:
    void Byte(int value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void Int16(int value) {
        Byte(value & 0xFF);
        Byte((value >> 8) & 0xFF);
    }
    void Text(const std::string& text) {
        std::u16string units = ToUtf16(text);
        if (units.size() > 255) units.resize(255);
        Byte(static_cast<int>(units.size()));
        for (char16_t unit : units) Int16(unit);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace

std::vector<std::pair<std::string, std::string>> StageProperties(std::uint8_t par, std::uint8_t markLimit,
                                                                 const std::string& name) {
    std::vector<std::pair<std::string, std::string>> properties = {{"par", std::to_string(par)},
                                                                   {"limit", std::to_string(markLimit)}};
    if (!name.empty()) properties.emplace_back(kStageNameKey, name);
    return properties;
}

StageFileImage StageFileImageOf(const StageData& stage) {
    StageFileImage image;
    image.properties = StageProperties(stage.par, stage.markLimit, {});
    image.backgroundName = stage.backgroundName;
    image.tileName = stage.tileName.empty() ? "tails.bfg" : stage.tileName;
    image.board = stage.board;
    image.characters = {stage.start};
    return image;
}

std::vector<std::uint8_t> EncodeStageFile(const StageFileImage& image) {
    ByteWriter out;
    out.Byte('M');  // signature: never checked by the reader
    out.Byte('A');
    out.Byte('P');
    out.Int16(image.widthPixels);
    out.Int16(image.heightPixels);
    out.Byte(0);
    out.Byte(static_cast<int>(std::min<std::size_t>(image.properties.size(), 255)));
    for (std::size_t i = 0; i < image.properties.size() && i < 255; ++i) {
        out.Text(image.properties[i].first);
        out.Text(image.properties[i].second);
    }
    out.Byte(0);
    out.Text(image.backgroundName);
    out.Byte(0);
    out.Text(image.tileName);
    const int columns = image.widthPixels > 0 ? image.widthPixels / Board::kCellPixels : 0;
    const int rows = image.heightPixels > 0 ? image.heightPixels / Board::kCellPixels : 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) out.Byte(image.board.At(c, r));
    }
    out.Byte(0);
    out.Text(image.thirdName);
    out.Byte(static_cast<int>(std::min<std::size_t>(image.characters.size(), 255)));
    for (std::size_t i = 0; i < image.characters.size() && i < 255; ++i) {
        out.Byte(0);  // kind: the player
        out.Int16(image.characters[i].column);
        out.Int16(image.characters[i].row);
    }
    return out.Take();
}
