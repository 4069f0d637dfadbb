// SPDX-License-Identifier: GPL-3.0-or-later
// Line breaking for the message box: a pure function of the text, the width
// and a way to measure a line, so it is the same in the game and in tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace media_detail {

// Width in pixels of a UTF-8 text drawn on one line.
using MeasureText = std::function<int(const std::string& utf8)>;

// Splits a UTF-8 text into lines no wider than maxWidth where it can: after
// spaces (ASCII or ideographic, which then vanish at the line's end), between
// two Japanese characters (but never before closing punctuation such as 。 or
// after an opening bracket), at '\n' always, and inside a word only when the
// word alone is too wide. Invalid UTF-8 bytes stay as single characters.
std::vector<std::string> WrapText(const std::string& text, int maxWidth, const MeasureText& measure);

// As WrapText, in as few lines, but the lines as even in width as they can
// be: a message of two lines does not end in a word or two alone.
std::vector<std::string> WrapTextEvenly(const std::string& text, int maxWidth, const MeasureText& measure);

// The code points of a UTF-8 text; each invalid byte gives U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

}  // namespace media_detail
