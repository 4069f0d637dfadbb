// Names read from stage files arrive as UTF-8; the resource cache keys
// pictures by wide names.
#pragma once

#include <string>
#include <string_view>

// Wide form of UTF-8 text; a malformed sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
