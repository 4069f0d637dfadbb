// SPDX-License-Identifier: GPL-3.0-or-later
// The game's messages in the player's language: which texts the environment
// asks for, the English of the built catalogue, and the save-failure panel
// as a player without Japanese sees it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "resources/messages.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

fs::path CatalogueFolder() { return fs::path(VELTRIM_BINARY_DIR) / "game" / "locale"; }

using Environment = std::map<std::string, std::string>;

MessageTexts TextsFor(const Environment& environment) {
    return TextsForEnvironment([&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    });
}

TEST(MessageLanguage, TheLocaleVariablesDecideInGettextsOrder) {
    EXPECT_EQ(TextsFor({}), MessageTexts::AsWritten) << "no locale at all is C";
    EXPECT_EQ(TextsFor({{"LANG", "C"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANG", "C.UTF-8"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANG", "POSIX"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANG", "ja_JP.UTF-8"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANG", "ja_JP.eucJP"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANG", "en_GB.UTF-8"}}), MessageTexts::English);
    EXPECT_EQ(TextsFor({{"LANG", "de_DE.UTF-8"}}), MessageTexts::English);
    EXPECT_EQ(TextsFor({{"LANG", "sr_RS@latin"}}), MessageTexts::English);
    // LC_ALL before LC_MESSAGES before LANG; an empty one counts as unset.
    EXPECT_EQ(TextsFor({{"LC_ALL", "ja_JP.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "en_US"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LC_MESSAGES", "de_DE"}, {"LANG", "ja_JP"}}), MessageTexts::English);
    EXPECT_EQ(TextsFor({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ja_JP"}}), MessageTexts::AsWritten);
}

TEST(MessageLanguage, LanguageIsAListWalkedToTheFirstLanguageWithTextsButNeverOverridesC) {
    EXPECT_EQ(TextsFor({{"LANGUAGE", "ja"}, {"LANG", "C"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANGUAGE", "en"}, {"LC_ALL", "POSIX"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANGUAGE", "ja"}, {"LANG", "de_DE.UTF-8"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANGUAGE", "en_GB:ja"}, {"LANG", "ja_JP.UTF-8"}}), MessageTexts::English);
    EXPECT_EQ(TextsFor({{"LANGUAGE", "fr:de:ja"}, {"LANG", "fr_FR.UTF-8"}}), MessageTexts::AsWritten);
    EXPECT_EQ(TextsFor({{"LANGUAGE", "fr:de"}, {"LANG", "ja_JP.UTF-8"}}), MessageTexts::English);
    EXPECT_EQ(TextsFor({{"LANGUAGE", ""}, {"LANG", "ja_JP.UTF-8"}}), MessageTexts::AsWritten);
}

// The process's own environment set to one locale for a test, and put back.
class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(CatalogueFolder() / "en" / "LC_MESSAGES" / "veltrim.mo"))
            GTEST_SKIP() << "the message catalogue is not built";
        for (const char* name : kVariables)
            if (const char* value = std::getenv(name)) saved_[name] = value;
    }
    void TearDown() override {
        for (const char* name : kVariables) {
            if (saved_.count(name))
                setenv(name, saved_[name].c_str(), 1);
            else
                unsetenv(name);
        }
        StartMessageTranslation({}, [](const char*) -> const char* { return nullptr; });  // as written again
    }
    static void UseLocale(const char* lang) {
        for (const char* name : kVariables) unsetenv(name);
        setenv("LANG", lang, 1);
        StartMessageTranslation({CatalogueFolder()}, std::getenv);
    }

    static constexpr const char* kVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<std::string, std::string> saved_;
};

struct Expected {
    const char* asWritten;
    const char* english;
};
constexpr Expected kMessages[] = {
    {"ステージが一つも存在しません", "There are no stages."},
    {"不正なデータです。\u3000ゲームを終了します。", "The data is not valid. The game will end."},
    {"リソースの読み込みに失敗しました。", "A picture or sound could not be loaded."},
    {"サブグラフィックの読み込みに失敗しました。", "The number pictures could not be loaded."},
    {"データのロードに失敗しました。", "Your progress could not be loaded."},
    {"データのセーブに失敗しました。", "Your progress could not be saved. Play goes on."},
    {"エラー", "Error"},
    {"Error", "Error"},
    {"error", "Error"},
};

TEST_F(LocaleTest, TheEnglishAndTheOriginalTextsAreChosenByLocale) {
    for (const char* locale : {"C", "ja_JP.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8"}) {
        UseLocale(locale);
        const bool english = std::string(locale) == "en_GB.UTF-8" || std::string(locale) == "de_DE.UTF-8";
        EXPECT_EQ(ChosenMessageTexts(), english ? MessageTexts::English : MessageTexts::AsWritten) << locale;
        for (const Expected& message : kMessages)
            EXPECT_STREQ(Translated(message.asWritten), english ? message.english : message.asWritten) << locale;
    }
}

TEST_F(LocaleTest, WithoutACatalogueTheTextsStayAsWrittenAndStandardErrorSaysWhy) {
    for (const char* name : kVariables) unsetenv(name);
    setenv("LANG", "de_DE.UTF-8", 1);
    TempDir empty;
    testing::internal::CaptureStderr();
    StartMessageTranslation({empty.Path()}, std::getenv);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ChosenMessageTexts(), MessageTexts::AsWritten);
    EXPECT_STREQ(Translated(kResourceLoadFailedText), kResourceLoadFailedText);
    EXPECT_NE(printed.find("no English catalogue"), std::string::npos) << printed;
}

// Every text the sources mark for translation has English in the catalogue.
TEST_F(LocaleTest, EveryMarkedTextOfTheSourcesHasEnglish) {
    std::string sources;
    for (const auto& entry : fs::recursive_directory_iterator(VELTRIM_SOURCE_DIR "/src")) {
        const std::string path = entry.path().string();
        if (path.find("/editor/") != std::string::npos) continue;
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path());
        sources += std::string(std::istreambuf_iterator<char>(in), {});
    }
    UseLocale("en_GB.UTF-8");
    const std::regex marked(R"re((?:Translated|ForTranslation)\("((?:[^"\\]|\\.)*)"\))re");
    int count = 0;
    for (std::sregex_iterator it(sources.begin(), sources.end(), marked), end; it != end; ++it) {
        std::string text = (*it)[1];
        text = std::regex_replace(text, std::regex(R"(\\u3000)"), "\u3000");
        const std::string english = Translated(text.c_str());
        for (unsigned char c : english) EXPECT_LT(c, 0x80) << text << " -> " << english;
        ++count;
    }
    EXPECT_GE(count, 9) << "the scan found too few marked texts";
}

TEST_F(LocaleTest, TheSaveFailurePanelSpeaksEnglishOutsideJapanAndC) {
    UseLocale("de_DE.UTF-8");
    TempDir dir;
    headless::UseHeadlessPlatform();
    ASSERT_EQ(InitMedia(), 0);
    SaveData::Destroy();
    SaveData::SetFilePath((dir.Path() / "no-such-folder" / "file" / "data.sav").string());
    fs::create_directories(dir.Path() / "no-such-folder");
    std::ofstream(dir.Path() / "no-such-folder" / "file") << "a file where a folder should be";
    SaveData* save = SaveData::Instance(1);
    EXPECT_FALSE(save->Save());
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "Your progress could not be saved. Play goes on.");
    EXPECT_EQ(headless::Messages()[0].caption, "Error");
    EndMedia();
    SaveData::Destroy();
    SaveData::SetFilePath("data.sav");
}

}  // namespace
