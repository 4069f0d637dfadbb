// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/message_box/text_wrap.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace media_detail {

namespace {

constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kReplacement = 0xFFFD;

// One character: its bytes in the text and its code point.
struct Unit {
    size_t begin = 0;
    size_t end = 0;
    char32_t code = 0;
};

// Length of the UTF-8 sequence starting at i, or 0 when it is not valid.
size_t SequenceLength(const std::string& text, size_t i, char32_t& code) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

std::vector<Unit> Split(const std::string& text) {
    std::vector<Unit> units;
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        size_t length = SequenceLength(text, i, code);
        if (length == 0) code = kReplacement, length = 1;
        units.push_back({i, i + length, code});
        i += length;
    }
    return units;
}

bool IsSpace(char32_t c) { return c == ' ' || c == '\t' || c == kIdeographicSpace; }

// Scripts written without spaces, where a line may break between any two characters.
bool IsWide(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Characters that must not begin a line.
bool IsClosing(char32_t c) {
    static constexpr char32_t kClosing[] = {U'、', U'。', U'，', U'．', U'・', U'：', U'；', U'？', U'！', U'ー',
                                            U'」', U'』', U'）', U'］', U'｝', U'〉', U'》', U'】', U'〕', U'ぁ',
                                            U'ぃ', U'ぅ', U'ぇ', U'ぉ', U'っ', U'ゃ', U'ゅ', U'ょ', U'ァ', U'ィ',
                                            U'ゥ', U'ェ', U'ォ', U'ッ', U'ャ', U'ュ', U'ョ', U'…', U'゛', U'゜',
                                            U'.', U',', U'!', U'?', U':', U';', U')', U']', U'}'};
    return std::find(std::begin(kClosing), std::end(kClosing), c) != std::end(kClosing);
}

// Characters that must not end a line.
bool IsOpening(char32_t c) {
    static constexpr char32_t kOpening[] = {U'「', U'『', U'（', U'［', U'｛', U'〈', U'《', U'【', U'〔',
                                            U'(', U'[', U'{'};
    return std::find(std::begin(kOpening), std::end(kOpening), c) != std::end(kOpening);
}

// Whether a line may end between a and b (spaces are handled apart).
bool MayBreakBetween(char32_t a, char32_t b) {
    if (IsClosing(b) || IsOpening(a)) return false;
    return IsWide(a) || IsWide(b);
}

// Lays out one paragraph (no '\n') into lines.
void WrapParagraph(const std::string& text, const std::vector<Unit>& units, size_t first, size_t last, int maxWidth,
                   const MeasureText& measure, std::vector<std::string>& lines) {
    const auto slice = [&](size_t from, size_t to) {
        return from >= to ? std::string() : text.substr(units[from].begin, units[to - 1].end - units[from].begin);
    };
    size_t start = first;
    while (start < last) {
        // Leading spaces of a wrapped line are not drawn.
        if (start != first)
            while (start < last && IsSpace(units[start].code)) ++start;
        if (start >= last) break;
        size_t end = start + 1;  // the first character always goes, however wide
        size_t lastBreak = start;  // the last place so far where the line may end
        size_t lastSpace = start;  // the same, at a space
        while (end < last) {
            const char32_t before = units[end - 1].code, after = units[end].code;
            if (IsSpace(before) || IsSpace(after)) lastSpace = end;
            if (lastSpace == end || MayBreakBetween(before, after)) lastBreak = end;
            if (measure(slice(start, end + 1)) > maxWidth) break;
            ++end;
        }
        if (end < last) {
            // Too wide. A space the writer put in the second half of the line
            // is the best place to end it (it parts sentences in Japanese
            // too), then any place a line may end; else the word that fills
            // the line is cut.
            if (lastSpace > start && measure(slice(start, lastSpace)) >= maxWidth / 2)
                end = lastSpace;
            else if (lastBreak > start)
                end = lastBreak;
        }
        size_t shown = end;
        while (shown > start && IsSpace(units[shown - 1].code)) --shown;
        lines.push_back(slice(start, shown));
        start = end;
    }
}

}  // namespace

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string codes;
    for (const Unit& unit : Split(text)) codes.push_back(unit.code);
    return codes;
}

std::vector<std::string> WrapText(const std::string& text, int maxWidth, const MeasureText& measure) {
    const std::vector<Unit> units = Split(text);
    std::vector<std::string> lines;
    size_t first = 0;
    for (size_t i = 0; i <= units.size(); ++i) {
        if (i < units.size() && units[i].code != '\n') continue;
        const size_t before = lines.size();
        WrapParagraph(text, units, first, i, maxWidth, measure, lines);
        if (lines.size() == before) lines.emplace_back();  // an empty paragraph keeps its line
        first = i + 1;
    }
    return lines;
}

std::vector<std::string> WrapTextEvenly(const std::string& text, int maxWidth, const MeasureText& measure) {
    std::vector<std::string> best = WrapText(text, maxWidth, measure);
    if (best.size() < 2) return best;
    // The narrowest width that needs no more lines.
    int low = 1, high = maxWidth;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (WrapText(text, mid, measure).size() <= best.size())
            high = mid;
        else
            low = mid + 1;
    }
    return WrapText(text, high, measure);
}

}  // namespace media_detail
