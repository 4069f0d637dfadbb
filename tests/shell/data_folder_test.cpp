#include "shell/data_folder.h"

#include <gtest/gtest.h>

#include "play/stage_file.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A start-up folder and a game folder beside it, the current directory being
// the start-up folder.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(start_);
        fs::create_directories(game_);
        fs::current_path(start_);
    }

    fs::path Program() const { return game_ / "veltrim"; }

    TempDir dir_;
    fs::path start_ = dir_.Path() / "elsewhere";
    fs::path game_ = dir_.Path() / "game";
};

TEST_F(DataFolderTest, MovesToTheProgramFolderWhenItHoldsTheStages) {
    dir_.Write("game/" + StageFilePath(1), {'x'});
    EXPECT_TRUE(EnterDataFolder(Program()));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), game_));
}

TEST_F(DataFolderTest, StaysWhenTheCurrentFolderHoldsTheStages) {
    dir_.Write("elsewhere/" + StageFilePath(1), {'x'});
    dir_.Write("game/" + StageFilePath(1), {'x'});
    EXPECT_FALSE(EnterDataFolder(Program()));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_));
}

TEST_F(DataFolderTest, StaysWhenNeitherFolderHoldsTheStages) {
    // The game then reports the missing stages from where it was started.
    EXPECT_FALSE(EnterDataFolder(Program()));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_));
}

TEST_F(DataFolderTest, StaysWithoutAKnownProgramFile) {
    EXPECT_FALSE(EnterDataFolder({}));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), start_));
}

TEST_F(DataFolderTest, TheRunningProgramIsAnExistingFile) {
    const fs::path self = RunningProgramFile();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(fs::is_regular_file(self));
    EXPECT_EQ(self.filename(), "test_shell");
}

}  // namespace
