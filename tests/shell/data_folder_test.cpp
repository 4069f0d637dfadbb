#include "shell/data_folder.h"

#include <gtest/gtest.h>

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

TEST_F(SavePlacesTest, AWritableGameFolderKeepsItsSaveBesideTheProgram) {
    EXPECT_EQ(SavePlaces(game_, user_), std::vector<std::string>{(game_ / "data.sav").string()});
}

// The same for root, who may write anywhere: the folder's mode decides.
TEST_F(SavePlacesTest, AReadOnlyGameFolderSavesInTheUsersFolderAndStillReadsItsOwn) {
    fs::permissions(game_, fs::perms::owner_read | fs::perms::owner_exec);
    const std::vector<std::string> expected = {(user_ / "data.sav").string(), (game_ / "data.sav").string()};
    EXPECT_EQ(SavePlaces(game_, user_), expected);
}

TEST_F(SavePlacesTest, WithoutAUserFolderOnlyTheGameFolderIsLeft) {
    fs::permissions(game_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SavePlaces(game_, {}), std::vector<std::string>{(game_ / "data.sav").string()});
}

TEST_F(SavePlacesTest, SettlingPointsTheSaveDataAtTheFoundFolder) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    SettleIntoGameFolders(Portable());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), game_));
    EXPECT_EQ(SaveData::FilePlaces(), std::vector<std::string>{(game_ / "data.sav").string()});
}

}  // namespace
