// SPDX-License-Identifier: GPL-3.0-or-later
// The game names files with wide strings (literals such as L"logo.bfg") while
// stage files, the file system and the media layer speak UTF-8: both
// directions of that conversion live here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 form of a wide name; nullopt when it holds a value that is not a
// Unicode scalar value (a surrogate or anything above U+10FFFF) or a NUL.
std::optional<std::string> WideToUtf8(std::wstring_view name);

// Wide form of UTF-8 text; a malformed sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
