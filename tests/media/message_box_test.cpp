// SPDX-License-Identifier: GPL-3.0-or-later
// The message box's parts that need no window: line breaking, layout, the
// faces chosen for the game's messages, the picture, and acknowledgement.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <utility>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "media/message_box/acknowledgement.h"
#include "media/message_box/message_box_layout.h"
#include "media/message_box/message_box_picture.h"
#include "media/message_box/message_font.h"
#include "media/message_box/text_wrap.h"
#include "media/platform/sdl_display.h"

namespace {

using namespace media_detail;

// Every character 10 pixels wide, whatever it is.
int FixedWidth(const std::string& s) { return 10 * static_cast<int>(DecodeUtf8(s).size()); }

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& line : lines) all += line + "|";
    return all;
}

TEST(WrapText, BreaksAfterSpacesAndDropsThemAtTheLineEnd) {
    EXPECT_EQ(Joined(WrapText("one two three four", 100, FixedWidth)), "one two|three four|");
    EXPECT_EQ(Joined(WrapText("one two", 200, FixedWidth)), "one two|");
}

TEST(WrapText, CutsAWordOnlyWhenItAloneIsTooWide) {
    EXPECT_EQ(Joined(WrapText("abcdefghij xy", 40, FixedWidth)), "abcd|efgh|ij|xy|");
}

TEST(WrapText, BreaksBetweenJapaneseCharactersButNotBeforeClosingPunctuation) {
    // Six fit; the seventh is 。, which may not begin a line, so す goes down with it.
    EXPECT_EQ(Joined(WrapText("データのロードに失敗しました。", 60, FixedWidth)), "データのロー|ドに失敗しま|した。|");
    EXPECT_EQ(Joined(WrapText("ゲームを終了します。", 90, FixedWidth)), "ゲームを終了しま|す。|");
    // An opening bracket stays with what follows it.
    EXPECT_EQ(Joined(WrapText("あいう「えお」", 40, FixedWidth)), "あいう|「えお」|");
}

TEST(WrapText, PrefersASpaceInTheLineSecondHalfAndHidesIt) {
    const auto lines = WrapText("不正なデータです。\u3000ゲームを終了します。", 150, FixedWidth);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "不正なデータです。");
    EXPECT_EQ(lines[1], "ゲームを終了します。");
    // A space early in the line is not worth a short line.
    EXPECT_EQ(Joined(WrapText("あ\u3000いうえおかきくけこさしすせそ", 100, FixedWidth)), "あ\u3000いうえおかきくけ|こさしすせそ|");
}

TEST(WrapText, EvenLinesTakeNoMoreLinesThanGreedyOnes) {
    const std::string text = "one two three four five six seven";
    EXPECT_EQ(Joined(WrapText(text, 300, FixedWidth)), "one two three four five six|seven|");
    EXPECT_EQ(Joined(WrapTextEvenly(text, 300, FixedWidth)), "one two three four|five six seven|");
    EXPECT_EQ(Joined(WrapTextEvenly("short", 300, FixedWidth)), "short|");
}

TEST(WrapText, KeepsHardLineBreaksAndEmptyLines) {
    EXPECT_EQ(Joined(WrapText("a\n\nb", 100, FixedWidth)), "a||b|");
    EXPECT_EQ(WrapText("", 100, FixedWidth).size(), 1u);
}

TEST(WrapText, SurvivesInvalidUtf8) {
    const std::string bad = "ab\xFF\xC3zz";
    const auto lines = WrapText(bad, 20, FixedWidth);
    std::string all;
    for (const auto& line : lines) all += line;
    EXPECT_EQ(all, bad);
    EXPECT_EQ(DecodeUtf8(bad), (std::u32string{U'a', U'b', 0xFFFD, 0xFFFD, U'z', U'z'}));
}

// The game's messages, read from its sources: every ShowMessageBox call with
// literal texts, and the named texts it passes.
struct GameMessage {
    std::string text, caption;
};

std::string DecodeLiteral(const std::string& literal) {
    std::string out;
    for (size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\' && i + 5 < literal.size() && literal[i + 1] == 'u') {
            const auto code = static_cast<char32_t>(std::stoul(literal.substr(i + 2, 4), nullptr, 16));
            // Three-byte UTF-8 is enough for the basic plane's escapes.
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
            i += 5;
        } else {
            out += literal[i];
        }
    }
    return out;
}

std::vector<GameMessage> GameMessages() {
    std::string sources;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VELTRIM_SOURCE_DIR "/src")) {
        const auto ext = entry.path().extension();
        // The editor's own folder, wherever the checkout lies (its path may hold "/editor/" too).
        const std::string relative = entry.path().lexically_relative(VELTRIM_SOURCE_DIR "/src").generic_string();
        if (relative.rfind("editor/", 0) == 0 || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(entry.path());
        sources += std::string(std::istreambuf_iterator<char>(in), {}) + "\n";
    }
    const std::regex named(R"re(constexpr const char\* (\w+) = (?:ForTranslation\()?"([^"]*)")re");
    std::map<std::string, std::string> constants;
    for (std::sregex_iterator it(sources.begin(), sources.end(), named), end; it != end; ++it)
        constants[(*it)[1]] = DecodeLiteral((*it)[2]);
    const auto value = [&](const std::string& arg) {
        if (arg.front() == '"') return DecodeLiteral(arg.substr(1, arg.size() - 2));
        return constants.count(arg) ? constants[arg] : std::string();
    };
    // Each text may be passed through Translated(...).
    const std::regex call(
        R"re(ShowMessageBox\(\s*(?:Translated\()?("[^"]*"|\w+)\)?\s*,\s*(?:Translated\()?("[^"]*"|\w+)\)?\s*\))re");
    std::vector<GameMessage> messages;
    for (std::sregex_iterator it(sources.begin(), sources.end(), call), end; it != end; ++it)
        messages.push_back({value((*it)[1]), value((*it)[2])});
    return messages;
}

TEST(MessageFaces, EveryCharacterOfEveryGameMessageHasAGlyph) {
    const std::vector<GameMessage> messages = GameMessages();
    ASSERT_GE(messages.size(), 6u) << "the scan of the sources found too few messages";
    for (const GameMessage& message : messages) {
        ASSERT_FALSE(message.text.empty());
        ASSERT_FALSE(message.caption.empty());
        for (const auto& [shown, bold] : {std::pair{message.text, false}, std::pair{message.caption, true}}) {
            const FaceChoice face = FindFaceCovering(DecodeUtf8(shown), bold);
            MessageFont font;
            ASSERT_TRUE(font.Open(face, kMessageTextPixels, bold)) << face.file;
            for (char32_t c : DecodeUtf8(shown))
                EXPECT_TRUE(font.HasGlyph(c)) << shown << ": U+" << std::hex << static_cast<int>(c) << " in " << face.file;
        }
    }
}

TEST(MessageFaces, JapaneseTextGetsTheInstalledGothicFace) {
    const FaceChoice face = FindFaceCovering(DecodeUtf8("ステージが一つも存在しません"), false);
    std::string file = face.file;
    std::transform(file.begin(), file.end(), file.begin(), ::tolower);
    EXPECT_TRUE(file.find("ipa") != std::string::npos || file.find("japanese") != std::string::npos) << face.file;
}

class MessageBoxLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(text.Open(FindFaceCovering(DecodeUtf8(kLongest), false), kMessageTextPixels, false));
        metrics.captionWidth = metrics.textWidth = metrics.buttonWidth = [this](const std::string& s) {
            return text.Width(s);
        };
        metrics.captionHeight = metrics.textLineHeight = metrics.buttonTextHeight = text.Height();
    }
    static constexpr const char* kLongest = "不正なデータです。\u3000ゲームを終了します。";
    MessageFont text;
    MessageBoxMetrics metrics;
};

TEST_F(MessageBoxLayoutTest, TheLongestMessageWrapsAtTheIdeographicSpaceWithinThePanel) {
    const MessageBoxLayout layout = LayOutMessageBox("エラー", kLongest, metrics, 640, 480);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(layout.lines[0], "不正なデータです。");
    EXPECT_EQ(layout.lines[1], "ゲームを終了します。");
}

TEST_F(MessageBoxLayoutTest, EveryGameMessageFitsThePanel) {
    for (const GameMessage& message : GameMessages()) {
        const MessageBoxLayout layout = LayOutMessageBox(message.caption, message.text, metrics, 640, 480);
        std::string shown;
        for (size_t i = 0; i < layout.lines.size(); ++i) {
            shown += layout.lines[i];
            EXPECT_LE(text.Width(layout.lines[i]), kMessageTextMaxWidth) << layout.lines[i];
            const BoxRect& line = layout.lineBoxes[i];
            EXPECT_GE(line.x, layout.panel.x + 16);
            EXPECT_LE(line.x + line.w, layout.panel.x + layout.panel.w - 16);
        }
        // Nothing is lost but the spaces where lines break.
        std::string expected = message.text;
        for (size_t at; (at = expected.find("\u3000")) != std::string::npos;) expected.erase(at, 3);
        EXPECT_EQ(shown, expected);
        EXPECT_LE(layout.lines.size(), 2u) << message.text;
    }
}

TEST_F(MessageBoxLayoutTest, ThePanelIsCentredAndHoldsItsParts) {
    const MessageBoxLayout layout = LayOutMessageBox("Error", "ステージが一つも存在しません", metrics, 640, 480);
    const BoxRect& p = layout.panel;
    EXPECT_LE(std::abs((p.x + p.w / 2) - 320), 1);
    EXPECT_LE(std::abs((p.y + p.h / 2) - 240), 1);
    const auto inside = [&](const BoxRect& r) {
        return r.x >= p.x && r.y >= p.y && r.x + r.w <= p.x + p.w && r.y + r.h <= p.y + p.h;
    };
    EXPECT_TRUE(inside(layout.caption));
    EXPECT_TRUE(inside(layout.button));
    EXPECT_TRUE(inside(layout.buttonLabel));
    ASSERT_EQ(layout.lineBoxes.size(), 1u);
    EXPECT_TRUE(inside(layout.lineBoxes[0]));
    EXPECT_LT(layout.caption.y + layout.caption.h, layout.separatorY);
    EXPECT_LT(layout.separatorY, layout.lineBoxes[0].y);
    EXPECT_LE(layout.lineBoxes[0].y + layout.lineBoxes[0].h, layout.button.y);
}

TEST_F(MessageBoxLayoutTest, AnOverlongTextStaysOnTheScreen) {
    std::string huge;
    for (int i = 0; i < 60; ++i) huge += "行\n";
    const MessageBoxLayout layout = LayOutMessageBox("Error", huge, metrics, 640, 480);
    EXPECT_GE(layout.panel.y, 0);
    EXPECT_LE(layout.panel.y + layout.panel.h, 480);
    EXPECT_LT(layout.lines.size(), 60u);
}

TEST(MessageBoxPictureTest, DimsTheFrameAndDrawsThePanelOverIt) {
    const std::vector<uint32_t> frame(640 * 480, 0xFFFFFFu);
    const MessageBoxPicture picture = DrawMessageBoxPicture(frame.data(), 640, 480, "Error", "ステージが一つも存在しません");
    ASSERT_EQ(picture.pixels.size(), frame.size());
    const auto at = [&](int x, int y) { return picture.pixels[static_cast<size_t>(y) * 640 + x]; };
    const uint32_t dimmed = at(2, 2);
    EXPECT_LT((dimmed >> 16) & 0xFF, 128u);  // the frame outside the panel, dimmed
    const MessageBoxLayout& layout = picture.layout;
    const uint32_t fill = at(layout.panel.x + 6, layout.panel.y + layout.panel.h / 2);
    EXPECT_NE(fill, dimmed);
    EXPECT_GT(fill & 0xFF, (fill >> 16) & 0xFF);  // the game's blue
    // Ink in the text's box: cream pixels brighter than the fill.
    const BoxRect& line = layout.lineBoxes.at(0);
    int ink = 0;
    for (int y = line.y; y < line.y + line.h; ++y)
        for (int x = line.x; x < line.x + line.w; ++x) ink += ((at(x, y) >> 16) & 0xFF) > 200;
    EXPECT_GT(ink, 150);
}

TEST(MessageBoxPictureTest, ABlackFrameWithoutAPictureStillShowsThePanel) {
    const MessageBoxPicture picture = DrawMessageBoxPicture(nullptr, 640, 480, "e", "x");
    ASSERT_FALSE(picture.pixels.empty());
    EXPECT_EQ(picture.pixels[0], 0u);
    const BoxRect& panel = picture.layout.panel;
    EXPECT_NE(picture.pixels[static_cast<size_t>(panel.y + panel.h / 2) * 640 + panel.x + 4], 0u);
}

class AcknowledgementTest : public ::testing::Test {
protected:
    BoxRect ok{100, 200, 50, 20};
};

TEST_F(AcknowledgementTest, AnyConfirmingKeyPressedWhileOpenAcknowledgesOnceReleased) {
    for (ConfirmSource source : {kConfirmReturn, kConfirmKeypadEnter, kConfirmSpace, kConfirmZ, kConfirmEscape,
                                 kConfirmPadButton1}) {
        Acknowledgement ack(ok, 0);
        EXPECT_FALSE(ack.Acknowledged());
        ack.Pressed(source, false);
        EXPECT_TRUE(ack.Acknowledged());
        EXPECT_FALSE(ack.Finished()) << "the key is still down";
        ack.Released(source);
        EXPECT_TRUE(ack.Finished());
    }
}

TEST_F(AcknowledgementTest, AKeyHeldWhenTheBoxOpensMustBePressedAgain) {
    Acknowledgement ack(ok, kConfirmZ);
    ack.Pressed(kConfirmZ, true);   // auto-repeat
    ack.Pressed(kConfirmZ, false);  // a late report of the same press
    EXPECT_FALSE(ack.Acknowledged());
    ack.Released(kConfirmZ);
    EXPECT_FALSE(ack.Acknowledged());
    ack.Pressed(kConfirmZ, false);
    EXPECT_TRUE(ack.Acknowledged());
}

TEST_F(AcknowledgementTest, AutoRepeatAloneNeverAcknowledges) {
    Acknowledgement ack(ok, 0);
    ack.Pressed(kConfirmReturn, true);
    EXPECT_FALSE(ack.Acknowledged());
}

TEST_F(AcknowledgementTest, AClickMustPressAndReleaseOnTheButton) {
    Acknowledgement ack(ok, 0);
    ack.PointerPressed(10, 10);
    ack.PointerReleased(110, 205);
    EXPECT_FALSE(ack.Acknowledged());
    ack.PointerPressed(110, 205);
    ack.PointerReleased(10, 10);
    EXPECT_FALSE(ack.Acknowledged());
    ack.PointerPressed(100, 200);
    ack.PointerReleased(149, 219);
    EXPECT_TRUE(ack.Finished());
}

TEST_F(AcknowledgementTest, OtherKeysDoNotAcknowledge) {
    Acknowledgement ack(ok, kConfirmReturn);
    ack.Released(kConfirmSpace);
    ack.Pressed(kConfirmReturn, true);
    EXPECT_FALSE(ack.Acknowledged());
}

TEST(VideoDriver, OnlyDriversWithoutWindowsMeanNoDisplay) {
    EXPECT_TRUE(DriverShowsWindows(nullptr, "x11"));
    EXPECT_TRUE(DriverShowsWindows("", "wayland"));
    EXPECT_TRUE(DriverShowsWindows(nullptr, "KMSDRM"));
    EXPECT_FALSE(DriverShowsWindows(nullptr, "offscreen"));
    EXPECT_FALSE(DriverShowsWindows("", "dummy"));
    EXPECT_FALSE(DriverShowsWindows(nullptr, "evdev"));
    EXPECT_FALSE(DriverShowsWindows(nullptr, nullptr));
    // Asked for by name, as the tests ask for the dummy driver: wanted as it is.
    EXPECT_TRUE(DriverShowsWindows("dummy", "dummy"));
    EXPECT_TRUE(DriverShowsWindows("offscreen", "offscreen"));
}

}  // namespace
