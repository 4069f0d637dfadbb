// File names arrive as wide strings (the game's names are literals such as
// L"logo.bfg"); the file system and the media layer take UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 form of a wide name; nullopt when it holds a value that is not a
// Unicode scalar value (a surrogate or anything above U+10FFFF) or a NUL.
std::optional<std::string> WideToUtf8(std::wstring_view name);
