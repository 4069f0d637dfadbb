// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/obj_data.h"

#include <cstdint>
#include <optional>

namespace objdata {
namespace {

// Sequential little-endian reads that refuse to run past the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }

    std::optional<std::uint8_t> Byte() {
        if (position_ >= bytes_.size()) {
            return std::nullopt;
        }
        return bytes_[position_++];
    }

    std::optional<std::uint16_t> Word() {
        if (bytes_.size() - position_ < 2) {
            return std::nullopt;
        }
        const auto value = static_cast<std::uint16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
        position_ += 2;
        return value;
    }

    // A text of `length` UTF-16LE code units.
    std::optional<std::u16string> Text(std::size_t length) {
        if ((bytes_.size() - position_) / 2 < length) {
            return std::nullopt;
        }
        std::u16string text(length, u'\0');
        for (char16_t& unit : text) {
            unit = static_cast<char16_t>(bytes_[position_] | (bytes_[position_ + 1] << 8));
            position_ += 2;
        }
        return text;
    }

    // A one-byte length followed by that many code units.
    std::optional<std::u16string> CountedText() {
        const std::size_t start = position_;
        const auto length = Byte();
        if (!length) {
            return std::nullopt;
        }
        auto text = Text(*length);
        if (!text) {
            position_ = start;
        }
        return text;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutCountedText(std::vector<std::uint8_t>& out, std::u16string_view text) {
    out.push_back(static_cast<std::uint8_t>(text.size()));
    for (const char16_t unit : text) {
        PutWord(out, static_cast<std::uint16_t>(unit));
    }
}

bool IsCBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

ParsedObjData ParseObjData(std::span<const std::uint8_t> bytes) {
    ParsedObjData parsed;
    ByteReader reader(bytes);
    // Each step commits its fields only once they were read whole.
    auto done = [&](ReadProgress progress) {
        parsed.progress = progress;
        parsed.bytesUsed = reader.Position();
    };

    if (bytes.size() < 3) {
        return parsed;
    }
    for (char& c : parsed.data.signature) {
        c = static_cast<char>(*reader.Byte());
    }
    done(ReadProgress::Signature);

    auto pictureName = reader.CountedText();
    if (!pictureName) {
        return parsed;
    }
    parsed.data.pictureName = std::move(*pictureName);
    done(ReadProgress::PictureName);

    const auto width = reader.Word();
    const auto height = width ? reader.Word() : std::nullopt;
    if (!height) {
        return parsed;
    }
    parsed.data.objectWidth = *width;
    parsed.data.objectHeight = *height;
    done(ReadProgress::ObjectSize);

    const auto direction = reader.Byte();
    if (!direction) {
        return parsed;
    }
    parsed.data.direction = *direction;
    if (*direction > 3) {
        parsed.bytesUsed = reader.Position();
        parsed.end = ReadEnd::BadDirection;
        return parsed;
    }
    done(ReadProgress::Direction);

    const auto count = reader.Byte();
    if (!count) {
        return parsed;
    }
    parsed.data.objects.reserve(*count);
    for (unsigned k = 0; k < *count; ++k) {
        auto name = reader.CountedText();
        const auto attribute = name ? reader.Byte() : std::nullopt;
        if (!attribute) {
            return parsed;
        }
        parsed.data.objects.push_back({std::move(*name), *attribute});
        parsed.bytesUsed = reader.Position();
    }
    done(ReadProgress::Objects);
    parsed.end = ReadEnd::Complete;
    return parsed;
}

SerializedObjData SerializeObjData(const ObjData& data) {
    SerializedObjData result;
    if (data.objects.size() > kMaxObjects) {
        result.error = WriteError::TooManyObjects;
        return result;
    }
    if (data.pictureName.size() > kMaxTextLength) {
        result.error = WriteError::TextTooLong;
        return result;
    }
    for (const ObjectRecord& object : data.objects) {
        if (object.name.size() > kMaxTextLength) {
            result.error = WriteError::TextTooLong;
            return result;
        }
    }

    std::vector<std::uint8_t>& out = result.bytes;
    std::size_t size = 3 + 1 + 2 * data.pictureName.size() + 2 + 2 + 1 + 1;
    for (const ObjectRecord& object : data.objects) {
        size += 1 + 2 * object.name.size() + 1;
    }
    out.reserve(size);
    for (const char c : {'K', 'O', 'B'}) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    PutCountedText(out, data.pictureName);
    PutWord(out, data.objectWidth);
    PutWord(out, data.objectHeight);
    out.push_back(data.direction);
    out.push_back(static_cast<std::uint8_t>(data.objects.size()));
    for (const ObjectRecord& object : data.objects) {
        PutCountedText(out, object.name);
        out.push_back(object.attribute);
    }
    return result;
}

std::int64_t DecimalTextValue(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr std::int64_t kLimit = INT64_MAX;
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i] - u'0';
        if (overflow || magnitude > (kLimit - digit) / 10) {
            overflow = true;
        } else {
            magnitude = magnitude * 10 + digit;
        }
    }
    if (overflow) {
        return negative ? INT64_MIN : INT64_MAX;
    }
    return negative ? -magnitude : magnitude;
}

std::uint8_t AttributeFromText(std::u16string_view text) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(DecimalTextValue(text)) & 0xFF);
}

std::u16string_view FinalComponent(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string PicturePathBeside(std::u16string_view objPath, std::u16string_view pictureName) {
    const std::size_t slash = objPath.rfind(u'/');
    std::u16string path;
    if (slash != std::u16string_view::npos) {
        path.assign(objPath.substr(0, slash + 1));
    }
    path.append(pictureName);
    return path;
}

}  // namespace objdata
