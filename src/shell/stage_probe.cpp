// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stage_probe.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "play/stage_folder.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

constexpr size_t kHeaderBytes = 9;  // the stage header up to its property count

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Reads a one-byte length and then that many UTF-16 code units; a short read
// keeps the whole code units that were there.
std::u16string ReadLengthPrefixedText(std::FILE* file) {
    const int length = std::fgetc(file);
    if (length == EOF) return {};
    std::vector<unsigned char> bytes(static_cast<size_t>(length) * 2);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::u16string text;
    for (size_t i = 0; i + 1 < got; i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

}  // namespace


int32_t WideTextToInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(value * 10 + (text[i] - u'0'), kLimit);
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

uint8_t ReadParValue(std::FILE* file) {
    unsigned char header[kHeaderBytes];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) return 0;
    const std::u16string name = ReadLengthPrefixedText(file);  // skipped
    (void)name;
    const std::u16string value = ReadLengthPrefixedText(file);
    return static_cast<uint8_t>(static_cast<uint32_t>(WideTextToInt(value)) & 0xFF);
}

std::vector<uint8_t> ProbeStages(int limit) {
    std::vector<uint8_t> pars;
    for (int number = 1; number <= limit; ++number) {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(PlayedStagePath(number).c_str(), "rb"));
        if (!file) break;
        pars.push_back(ReadParValue(file.get()));
    }
    return pars;
}
