// SPDX-License-Identifier: GPL-3.0-or-later
// Names cross between wide strings and UTF-8 in both directions.
#include <gtest/gtest.h>

#include <string>

#include "resources/wide_name.h"

TEST(WideNameTest, EveryEncodedLengthSurvivesTheRoundTrip) {
    // One, two, three and four byte sequences, at the edges of each length.
    const std::wstring name = L"a\u007F\u0080\u00E9\u07FF\u0800\u30B9\uFFFD\U00010000\U0010FFFF.bfg";
    const std::optional<std::string> narrow = WideToUtf8(name);
    ASSERT_TRUE(narrow.has_value());
    EXPECT_EQ(*narrow, "a\x7F\xC2\x80\xC3\xA9\xDF\xBF\xE0\xA0\x80\xE3\x82\xB9\xEF\xBF\xBD"
                       "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF.bfg");
    EXPECT_EQ(Utf8ToWide(*narrow), name);
}

TEST(WideNameTest, WideNamesThatNoFileCanCarryAreRefused) {
    EXPECT_FALSE(WideToUtf8(std::wstring(L"a\0b", 3)).has_value());
    EXPECT_FALSE(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))).has_value());
    EXPECT_FALSE(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xDFFF))).has_value());
    EXPECT_FALSE(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))).has_value());
    EXPECT_EQ(WideToUtf8(L""), std::string());
}

TEST(WideNameTest, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("\xC3"), L"\uFFFD");                // cut short at the end
    EXPECT_EQ(Utf8ToWide("\xC3" "A"), L"\uFFFDA");           // a character after a cut sequence survives
    EXPECT_EQ(Utf8ToWide("\x80x"), L"\uFFFDx");              // a lone continuation byte
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD");            // overlong '/'
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD");        // an encoded surrogate
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), L"\uFFFD");    // above U+10FFFF
    EXPECT_EQ(Utf8ToWide("\xFF" "ok"), L"\uFFFDok");         // no lead byte at all
}
