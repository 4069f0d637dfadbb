// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "play/stage_file.h"
#include "resources/save_data.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A start-up folder, a portable game folder and an installed prefix beside
// it, the current directory being the start-up folder.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(start_);
        fs::create_directories(game_);
        fs::create_directories(prefix_ / "bin");
        fs::current_path(start_);
    }
    void TearDown() override { SaveData::SetFilePath("data.sav"); }

    fs::path Portable() const { return game_ / "veltrim"; }
    fs::path Installed() const { return prefix_ / "bin" / "veltrim"; }
    fs::path InstalledData() const { return prefix_ / "share" / "veltrim"; }

    TempDir dir_;
    fs::path start_ = dir_.Path() / "elsewhere";
    fs::path game_ = dir_.Path() / "game";
    fs::path prefix_ = dir_.Path() / "usr";
};

TEST_F(DataFolderTest, ThePortableFolderIsTheProgramsOwn) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    EXPECT_EQ(FindDataFolder(Portable(), "../share/veltrim"), game_);
}

TEST_F(DataFolderTest, AnInstalledProgramFindsTheDataBesideItsBinFolder) {
    dir_.Write("usr/share/veltrim/" + StageFilePath(1), {'x'});
    EXPECT_EQ(FindDataFolder(Installed(), "../share/veltrim"), InstalledData());
}

TEST_F(DataFolderTest, StagesBesideTheProgramWinOverAnInstalledFolder) {
    dir_.Write("usr/bin/" + StageFilePath(1), {'x'});
    dir_.Write("usr/share/veltrim/" + StageFilePath(1), {'x'});
    EXPECT_EQ(FindDataFolder(Installed(), "../share/veltrim"), prefix_ / "bin");
}

TEST_F(DataFolderTest, TheCurrentFolderAloneIsNotTheDataFolder) {
    dir_.Write("elsewhere/" + StageFilePath(1), {'x'});
    EXPECT_TRUE(FindDataFolder(Installed(), "../share/veltrim").empty());
    EXPECT_TRUE(FindDataFolder({}, "../share/veltrim").empty());
}

TEST_F(DataFolderTest, EnteringMakesTheFoundFolderCurrent) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    EXPECT_EQ(EnterDataFolder(Portable()), game_);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), game_));
}

TEST_F(DataFolderTest, StaysWhenNoFolderHoldsTheStages) {
    // The game then reports the missing stages from where it was started.
    EXPECT_TRUE(EnterDataFolder(Portable()).empty());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_));
}

TEST_F(DataFolderTest, TheRunningProgramIsAnExistingFile) {
    const fs::path self = RunningProgramFile();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(fs::is_regular_file(self));
    EXPECT_EQ(self.filename(), "test_shell");
}

TEST(UserSaveFolder, FollowsTheXdgRules) {
    EXPECT_EQ(UserSaveFolder("/x/data", "/home/p"), fs::path("/x/data/veltrim"));
    EXPECT_EQ(UserSaveFolder(nullptr, "/home/p"), fs::path("/home/p/.local/share/veltrim"));
    // A relative or empty XDG_DATA_HOME is to be ignored.
    EXPECT_EQ(UserSaveFolder("rel/data", "/home/p"), fs::path("/home/p/.local/share/veltrim"));
    EXPECT_EQ(UserSaveFolder("", "/home/p"), fs::path("/home/p/.local/share/veltrim"));
    EXPECT_TRUE(UserSaveFolder(nullptr, nullptr).empty());
    EXPECT_TRUE(UserSaveFolder(nullptr, "").empty());
}

class SavePlacesTest : public DataFolderTest {
protected:
    void TearDown() override {
        fs::permissions(game_, fs::perms::owner_all);
        DataFolderTest::TearDown();
    }
    fs::path user_ = dir_.Path() / "home" / "veltrim";
};

TEST_F(SavePlacesTest, TheLayoutIsPortableOnlyWhereTheFilesLieBesideTheProgram) {
    EXPECT_EQ(LayoutOf(game_, Portable()), GameLayout::Portable);
    EXPECT_EQ(LayoutOf(InstalledData(), Installed()), GameLayout::Installed);
    // No data folder found: the game reports that from where it was started.
    EXPECT_EQ(LayoutOf({}, Installed()), GameLayout::Portable);
}

TEST_F(SavePlacesTest, AWritableGameFolderKeepsItsSaveBesideTheProgram) {
    EXPECT_EQ(SavePlaces(game_, GameLayout::Portable, user_),
              std::vector<std::string>{(game_ / "data.sav").string()});
}

// The same for root, who may write anywhere: the folder's mode decides.
TEST_F(SavePlacesTest, AReadOnlyGameFolderSavesInTheUsersFolderAndStillReadsItsOwn) {
    fs::permissions(game_, fs::perms::owner_read | fs::perms::owner_exec);
    const std::vector<std::string> expected = {(user_ / "data.sav").string(), (game_ / "data.sav").string()};
    EXPECT_EQ(SavePlaces(game_, GameLayout::Portable, user_), expected);
}

TEST_F(SavePlacesTest, WithoutAUserFolderOnlyTheGameFolderIsLeft) {
    fs::permissions(game_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SavePlaces(game_, GameLayout::Portable, {}), std::vector<std::string>{(game_ / "data.sav").string()});
}

// Root's installed game folder may be written by mode, yet the save still
// goes to the user's folder: nothing is ever left among installed files.
TEST_F(SavePlacesTest, AnInstalledGameSavesOnlyInTheUsersFolderEvenWhereItsFolderIsWritable) {
    fs::create_directories(InstalledData());
    EXPECT_EQ(SavePlaces(InstalledData(), GameLayout::Installed, user_),
              std::vector<std::string>{(user_ / "data.sav").string()});
    EXPECT_TRUE(SavePlaces(InstalledData(), GameLayout::Installed, {}).empty()) << "no place rather than /usr";
}

TEST_F(SavePlacesTest, SettlingPointsTheSaveDataAtTheFoundFolder) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    SettleIntoGameFolders(Portable());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), game_));
    EXPECT_EQ(SaveData::FilePlaces(), std::vector<std::string>{(game_ / "data.sav").string()});
}

// An old data.sav beside a portable game is still the one read and replaced.
TEST_F(SavePlacesTest, AnOldSaveBesideAPortableGameKeepsWorking) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    dir_.Write("game/data.sav", {'V', 'T', 'R', 3, 4, 9, 8, 0, 0});
    SettleIntoGameFolders(Portable());
    SaveData::Destroy();
    SaveData* save = SaveData::Instance(4);
    ASSERT_TRUE(save->Load());
    EXPECT_EQ(save->continueStage, 3);
    EXPECT_EQ(save->RecordOf(2), 8);
    save->records[2] = 7;
    EXPECT_TRUE(save->Save());
    SaveData::Destroy();
    EXPECT_EQ(dir_.Read("game/data.sav"), (std::vector<uint8_t>{'V', 'T', 'R', 3, 4, 9, 8, 7, 0}));
}

// The build's own installed layout: the program in a games folder, its files
// under share, the progress under $XDG_DATA_HOME/veltrim.
TEST_F(SavePlacesTest, SettlingAnInstalledGameSavesUnderXdgDataHome) {
    const fs::path program = prefix_ / "games" / "veltrim";
    const fs::path data = (program.parent_path() / InstalledDataFolder()).lexically_normal();
    fs::create_directories(program.parent_path());
    dir_.Write(fs::relative(data / StageFilePath(1), dir_.Path()).string(), {'x'});
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old ? old : "";
    setenv("XDG_DATA_HOME", (dir_.Path() / "xdg").c_str(), 1);
    SettleIntoGameFolders(program);
    old ? setenv("XDG_DATA_HOME", kept.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(fs::equivalent(fs::current_path(), data));
    EXPECT_EQ(SaveData::FilePlaces(), std::vector<std::string>{(dir_.Path() / "xdg" / "veltrim" / "data.sav").string()});
}

}  // namespace
