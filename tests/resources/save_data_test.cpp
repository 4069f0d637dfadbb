// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/save_data.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "media/headless.h"
#include "media/media.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

class SaveDataTest : public ::testing::Test {
protected:
    void TearDown() override { SaveData::Destroy(); }

    // A fresh singleton, as start-up makes it after counting `stages`.
    SaveData& Fresh(int stages) {
        SaveData::Destroy();
        return *SaveData::Instance(static_cast<uint8_t>(stages));
    }

    Bytes SavedFile() const { return dir_.Read("data.sav"); }

    TempDir dir_;
};

TEST_F(SaveDataTest, InstanceNeedsACountOnlyToCreate) {
    EXPECT_EQ(SaveData::Instance(0), nullptr);
    SaveData* created = SaveData::Instance(7);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(SaveData::Instance(0), created);
    EXPECT_EQ(SaveData::Instance(20), created);
    EXPECT_EQ(created->stageCount, 7);
    SaveData::Destroy();
    EXPECT_EQ(SaveData::Instance(0), nullptr);
}

TEST_F(SaveDataTest, StartsAtStageOneWithNoRecords) {
    SaveData& save = Fresh(5);
    EXPECT_EQ(save.continueStage, 1);
    EXPECT_EQ(save.selectedStage, 1);
    EXPECT_EQ(save.records, Bytes(5, 0));
    EXPECT_EQ(save.parValues, Bytes(5, 0));
}

TEST_F(SaveDataTest, MissingFileLoadsNothing) {
    SaveData& save = Fresh(3);
    EXPECT_FALSE(save.Load());
    EXPECT_EQ(save.continueStage, 1);
    EXPECT_EQ(save.records, Bytes(3, 0));
}

TEST_F(SaveDataTest, WritesSignatureContinueCountAndRecords) {
    SaveData& save = Fresh(4);
    save.continueStage = 3;
    save.records = {12, 0, 255, 7};
    save.parValues = {9, 9, 9, 9};  // never saved
    ASSERT_TRUE(save.Save());
    EXPECT_EQ(SavedFile(), (Bytes{'V', 'T', 'R', 3, 4, 12, 0, 255, 7}));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "data.sav.tmp"));
}

TEST_F(SaveDataTest, RoundTripKeepsProgress) {
    SaveData& save = Fresh(10);
    save.continueStage = 6;
    for (int i = 0; i < 10; ++i) save.records[i] = static_cast<uint8_t>(i * 11);
    ASSERT_TRUE(save.Save());
    const Bytes records = save.records;

    SaveData& again = Fresh(10);
    EXPECT_TRUE(again.Load());
    EXPECT_EQ(again.continueStage, 6);
    EXPECT_EQ(again.records, records);
}

TEST_F(SaveDataTest, MoreStagesThanSavedLeavesTheNewOnesUncleared) {
    dir_.Write("data.sav", {'V', 'T', 'R', 2, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    SaveData& save = Fresh(12);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.records, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
}

TEST_F(SaveDataTest, FewerStagesThanSavedDropsTheRestOnTheNextSave) {
    dir_.Write("data.sav", {'V', 'T', 'R', 2, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    SaveData& save = Fresh(8);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.records, (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(save.Save());
    EXPECT_EQ(SavedFile(), (Bytes{'V', 'T', 'R', 2, 8, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(SaveDataTest, SignatureIsNeverChecked) {
    dir_.Write("data.sav", {'x', 'y', 'z', 2, 2, 40, 50});
    SaveData& save = Fresh(2);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.continueStage, 2);
    EXPECT_EQ(save.records, (Bytes{40, 50}));
}

TEST_F(SaveDataTest, ThreeByteFileReadsNoRecordsAndContinuesFromStageOne) {
    // The missing continue byte reads as 255, which is past the stages.
    dir_.Write("data.sav", {'V', 'T', 'R'});
    SaveData& save = Fresh(5);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.continueStage, 1);
    EXPECT_EQ(save.records, Bytes(5, 0));
}

TEST_F(SaveDataTest, ThreeByteFileWithAllStagesContinuesFromTheLast) {
    dir_.Write("data.sav", {'V', 'T', 'R'});
    SaveData& save = Fresh(255);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.continueStage, 255);
    EXPECT_EQ(save.records, Bytes(255, 0));
}

TEST_F(SaveDataTest, ContinueStageOutsideTheStagesIsReadAsOne) {
    for (uint8_t stored : {uint8_t{0}, uint8_t{6}, uint8_t{200}}) {
        dir_.Write("data.sav", {'V', 'T', 'R', stored, 5, 1, 1, 1, 1, 1});
        SaveData& save = Fresh(5);
        EXPECT_TRUE(save.Load());
        EXPECT_EQ(save.continueStage, 1) << "stored " << int{stored};
    }
    dir_.Write("data.sav", {'V', 'T', 'R', 5, 5});
    SaveData& save = Fresh(5);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.continueStage, 5);
}

TEST_F(SaveDataTest, TruncatedRecordsKeepWhatWasThere) {
    dir_.Write("data.sav", {'V', 'T', 'R', 1, 6, 9, 8});
    SaveData& save = Fresh(6);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.records, (Bytes{9, 8, 0, 0, 0, 0}));
}

TEST_F(SaveDataTest, FailedWriteKeepsThePreviousFile) {
    SaveData& save = Fresh(3);
    save.continueStage = 2;
    save.records = {5, 6, 7};
    ASSERT_TRUE(save.Save());
    const Bytes before = SavedFile();

    // A file size limit makes every write past 4 bytes fail, as a full disk would.
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit tiny = oldLimit;
    tiny.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &tiny);
    save.continueStage = 3;
    save.records = {1, 1, 1};
    const bool saved = save.Save();
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(saved);
    EXPECT_EQ(SavedFile(), before);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "data.sav.tmp"));
}

TEST_F(SaveDataTest, UncreatableFileFailsAndKeepsThePreviousFile) {
    SaveData& save = Fresh(1);
    ASSERT_TRUE(save.Save());
    const Bytes before = SavedFile();
    std::filesystem::create_directory(dir_.Path() / "data.sav.tmp");  // blocks the temporary file
    save.records[0] = 4;
    EXPECT_FALSE(save.Save());
    EXPECT_EQ(SavedFile(), before);
}

TEST_F(SaveDataTest, SavePathCanBePointedElsewhere) {
    const std::string other = (dir_.Path() / "other.sav").string();
    SaveData::SetFilePath(other);
    SaveData& save = Fresh(1);
    const bool saved = save.Save();
    SaveData::SetFilePath("data.sav");
    EXPECT_TRUE(saved);
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "data.sav"));
}

// A save file made read-only is never replaced, not even by root (who passes
// every access check).
TEST_F(SaveDataTest, AReadOnlySaveFileIsLeftAlone) {
    dir_.Write("data.sav", {'V', 'T', 'R', 2, 1, 9});
    std::filesystem::permissions(dir_.Path() / "data.sav", std::filesystem::perms::owner_read);
    SaveData& save = Fresh(1);
    save.records[0] = 3;
    EXPECT_FALSE(save.Save());
    EXPECT_EQ(SavedFile(), (Bytes{'V', 'T', 'R', 2, 1, 9}));
}

class SavePlacesTest : public SaveDataTest {
protected:
    void SetUp() override {
        std::filesystem::create_directory(game_);
        headless::UseHeadlessPlatform();
        ASSERT_EQ(InitMedia(), 0);
    }
    void TearDown() override {
        EndMedia();
        std::filesystem::permissions(game_, std::filesystem::perms::owner_all);
        SaveData::SetFilePath("data.sav");
        SaveDataTest::TearDown();
    }
    void ReadOnlyGame() const {
        std::filesystem::permissions(game_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    int SaveFailures() const {
        int count = 0;
        for (const headless::Message& m : headless::Messages())
            count += m.text == "データのセーブに失敗しました。" && m.caption == "error";
        return count;
    }

    std::filesystem::path game_ = dir_.Path() / "game";
    std::string user_ = (dir_.Path() / "xdg" / "veltrim" / "data.sav").string();
    std::string beside_ = (game_ / "data.sav").string();
};

TEST_F(SavePlacesTest, AReadOnlyFolderIsNotWrittenAndTheNextPlaceIsMadeWithItsFolders) {
    ReadOnlyGame();
    SaveData::SetFilePlaces({beside_, user_});
    SaveData& save = Fresh(2);
    save.records = {4, 0};
    EXPECT_TRUE(save.Save());
    EXPECT_FALSE(std::filesystem::exists(beside_));
    EXPECT_FALSE(std::filesystem::exists(beside_ + ".tmp"));
    EXPECT_EQ(dir_.Read("xdg/veltrim/data.sav"), (Bytes{'V', 'T', 'R', 1, 2, 4, 0}));
    EXPECT_EQ(SaveFailures(), 0);
}

TEST_F(SavePlacesTest, LoadReadsTheFirstPlaceThatHoldsASave) {
    dir_.Write("game/data.sav", {'V', 'T', 'R', 1, 1, 7});
    SaveData::SetFilePlaces({user_, beside_});
    SaveData& save = Fresh(1);
    EXPECT_TRUE(save.Load());
    EXPECT_EQ(save.records[0], 7);  // the game folder's own save until the user has one
    dir_.Write("xdg/veltrim/data.sav", {'V', 'T', 'R', 1, 1, 5});
    SaveData& again = Fresh(1);
    EXPECT_TRUE(again.Load());
    EXPECT_EQ(again.records[0], 5);
}

TEST_F(SavePlacesTest, NoWritablePlaceIsReportedOnceARun) {
    ReadOnlyGame();
    std::filesystem::create_directories(dir_.Path() / "xdg");
    std::filesystem::permissions(dir_.Path() / "xdg", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    SaveData::SetFilePlaces({user_, beside_});
    SaveData& save = Fresh(1);
    EXPECT_FALSE(save.Save());
    EXPECT_FALSE(save.Save());
    std::filesystem::permissions(dir_.Path() / "xdg", std::filesystem::perms::owner_all);
    EXPECT_FALSE(std::filesystem::exists(user_));
    EXPECT_EQ(SaveFailures(), 1);
    // The next run tells the player again.
    Fresh(1);
    ReadOnlyGame();
    SaveData::SetFilePlaces({beside_});
    EXPECT_FALSE(SaveData::Instance()->Save());
    EXPECT_EQ(SaveFailures(), 2);
}

TEST_F(SaveDataTest, LookUpsOutsideTheStagesReadZero) {
    SaveData& save = Fresh(2);
    save.records = {7, 8};
    save.parValues = {9, 10};
    EXPECT_EQ(save.RecordOf(1), 7);
    EXPECT_EQ(save.RecordOf(2), 8);
    EXPECT_EQ(save.ParOf(2), 10);
    EXPECT_EQ(save.RecordOf(0), 0);
    EXPECT_EQ(save.RecordOf(3), 0);
    EXPECT_EQ(save.ParOf(-1), 0);
}

}  // namespace
