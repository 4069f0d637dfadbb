// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "media/headless.h"
#include "media/media.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "shell/recording_scene.h"
#include "shell/stage_files.h"
#include "shell/stage_probe.h"
#include "support/temp_dir.h"

namespace {

using headless::FrameInput;

class FrameLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        dir_.Write(StageFilePath(1), StageWithPar("12"));
        dir_.Write(StageFilePath(2), StageWithPar("300"));
    }
    void TearDown() override { SaveData::Destroy(); }

    int Run(std::map<SceneId, ScenePlan> plans) { return RunGame(RecordingTable(std::move(plans), journal_)); }

    // The opening scene runs `frames` frames and then ends the game.
    int RunOpeningFor(int frames) { return Run({{SceneOpening, {true, StayThen(SceneOpening, frames, SceneEnd)}}}); }

    TempDir dir_;
    SceneJournal journal_;
};

TEST_F(FrameLoopTest, DirectionsCountEveryFrameButtonsOnlyWhenTheyGoDown) {
    headless::SetInputScript([](int frame, FrameInput& in) {
        in.keysHeld = {KEY_DOWN};
        if (frame <= 1 || frame == 3 || frame == 4) in.keysHeld.push_back(KEY_Z);  // held from the start
        if (frame == 2) in.keysHeld.push_back(KEY_X);
    });
    EXPECT_EQ(RunOpeningFor(6), 0);
    EXPECT_EQ(journal_.pressed, (std::vector<uint32_t>{PAD_DOWN | PAD_BUTTON1, PAD_DOWN, PAD_DOWN | PAD_BUTTON2,
                                                       PAD_DOWN | PAD_BUTTON1, PAD_DOWN, PAD_DOWN}));
}

TEST_F(FrameLoopTest, PadAndKeyboardAreCombined) {
    headless::SetInputScript([](int frame, FrameInput& in) {
        in.padAttached = true;
        in.padX = frame == 0 ? 1000 : 0;
        in.padButtons = frame == 1 ? 0x2 : 0;
        if (frame == 0) in.keysHeld = {KEY_UP};
    });
    RunOpeningFor(2);
    EXPECT_EQ(journal_.pressed, (std::vector<uint32_t>{PAD_RIGHT | PAD_UP, PAD_BUTTON2}));
}

TEST_F(FrameLoopTest, EscapeEndsTheLoopBeforeTheSceneRuns) {
    headless::SetInputScript([](int frame, FrameInput& in) {
        if (frame >= 3) in.keysHeld = {KEY_ESCAPE};
    });
    EXPECT_EQ(RunOpeningFor(100), 0);
    EXPECT_EQ(journal_.Count("update 1"), 3);
    EXPECT_EQ(journal_.Count("draw 1"), 3);
    EXPECT_EQ(headless::FramesPresented(), 3);
    EXPECT_EQ(journal_.Count("delete 1"), 1);
}

TEST_F(FrameLoopTest, StepReturningZeroLeavesThatFrameUnpresented) {
    EXPECT_EQ(RunOpeningFor(3), 0);
    EXPECT_EQ(journal_.Count("draw 1"), 3);
    EXPECT_EQ(headless::FramesPresented(), 2);
}

TEST_F(FrameLoopTest, FramesAreSeventeenMillisecondsApartAcrossTheClockWrap) {
    headless::SetClock(0xFFFFFFFFu - 250);  // start-up takes 200 ms of it
    RunOpeningFor(12);
    ASSERT_EQ(journal_.updateTimes.size(), 12u);
    bool wrapped = false;
    for (size_t i = 1; i < journal_.updateTimes.size(); ++i) {
        EXPECT_EQ(journal_.updateTimes[i] - journal_.updateTimes[i - 1], 17u) << "frame " << i;
        wrapped |= journal_.updateTimes[i] < journal_.updateTimes[i - 1];
    }
    EXPECT_TRUE(wrapped);
}

TEST_F(FrameLoopTest, SlowFramesAreNotStretched) {
    // A frame whose work already took longer than 17 ms goes on at once.
    Run({{SceneOpening, {true, [](int step) {
                             headless::AdvanceClock(step == 0 ? 25 : 0);
                             return step < 2 ? SceneOpening : SceneEnd;
                         }}}});
    ASSERT_EQ(journal_.updateTimes.size(), 3u);
    EXPECT_EQ(journal_.updateTimes[1] - journal_.updateTimes[0], 25u);
    EXPECT_EQ(journal_.updateTimes[2] - journal_.updateTimes[1], 17u);
}

TEST_F(FrameLoopTest, SwitchDeletesTheOldSceneBeforeBuildingTheNextAndPresentsItsFrame) {
    Run({{SceneOpening, {true, StayThen(SceneOpening, 2, SceneTitle)}},
         {SceneTitle, {true, StayThen(SceneTitle, 2, SceneEnd)}}});
    EXPECT_EQ(journal_.events,
              (std::vector<std::string>{"build 1", "update 1", "draw 1", "update 1", "draw 1", "delete 1", "build 2",
                                        "update 2", "draw 2", "update 2", "draw 2", "delete 2"}));
    // The title scene was built during frame 2, before that frame was presented.
    EXPECT_EQ(journal_.framesPresentedAtBuild, 1);
    EXPECT_EQ(headless::FramesPresented(), 3);
}

TEST_F(FrameLoopTest, WhatANewSceneDrawsWhileBeingBuiltIsPresentedWithThatFrame) {
    std::vector<uint32_t> corner;
    headless::SetFrameObserver([&](int, const std::vector<uint32_t>& pixels) { corner.push_back(pixels[0]); });
    ScenePlan title{true, StayThen(SceneTitle, 2, SceneEnd), [] { DrawBox(0, 0, 8, 8, MakeColor(255, 0, 0), 1); }};
    Run({{SceneOpening, {true, StayThen(SceneOpening, 2, SceneTitle)}}, {SceneTitle, title}});
    // Every frame starts from a cleared back buffer.
    EXPECT_EQ(corner, (std::vector<uint32_t>{0, 0xFF0000, 0}));
}

TEST_F(FrameLoopTest, ReturningItsOwnIdNeverRebuildsTheScene) {
    RunOpeningFor(5);
    EXPECT_EQ(journal_.Count("build 1"), 1);
}

TEST_F(FrameLoopTest, SceneThatFailsToBuildEndsTheGameAfterAMessage) {
    Run({{SceneOpening, {true, StayThen(SceneOpening, 1, SceneMap)}}, {SceneMap, {false, nullptr}}});
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "不正なデータです。\u3000ゲームを終了します。");
    EXPECT_EQ(headless::Messages()[0].caption, "エラー");
    EXPECT_EQ(journal_.Count("build 4"), 1);
    EXPECT_EQ(journal_.Count("delete 4"), 1);
    EXPECT_EQ(journal_.Count("update 4"), 0);
    EXPECT_EQ(headless::FramesPresented(), 1);  // the switching frame is still shown
}

TEST_F(FrameLoopTest, IdWithoutASceneEndsTheGameQuietly) {
    Run({{SceneOpening, {true, StayThen(SceneOpening, 2, 8)}}});
    EXPECT_TRUE(headless::Messages().empty());
    EXPECT_EQ(journal_.Count("delete 1"), 1);
    EXPECT_EQ(headless::FramesPresented(), 2);
}

TEST_F(FrameLoopTest, ClosingTheWindowEndsTheGameAndScenesGoAfterTheMediaLayer) {
    headless::SetInputScript([](int frame, FrameInput& in) { in.closeWindow = frame == 4; });
    EXPECT_EQ(RunOpeningFor(100), 0);
    EXPECT_EQ(headless::FramesPresented(), 4);
    EXPECT_EQ(journal_.Count("update 1"), 4);
    EXPECT_EQ(journal_.mediaAfterDelete, std::vector<int>{-1});
}

TEST_F(FrameLoopTest, WindowClosedDuringStartUpRunsNoFrame) {
    headless::SetInputScript([](int, FrameInput& in) { in.closeWindow = true; });
    EXPECT_EQ(RunOpeningFor(100), 0);
    EXPECT_EQ(journal_.Count("update 1"), 0);
    EXPECT_EQ(journal_.Count("delete 1"), 1);
}

TEST_F(FrameLoopTest, SecondCopyEndsAtOnceWithMinusOne) {
    headless::SimulateOtherInstance(true);
    EXPECT_EQ(RunOpeningFor(100), -1);
    EXPECT_TRUE(journal_.events.empty());
    EXPECT_TRUE(headless::Messages().empty());
    EXPECT_EQ(SaveData::Instance(0), nullptr);
}

TEST_F(FrameLoopTest, NoStagesShowsAMessageAndEndsWithoutAFrame) {
    std::filesystem::remove_all(dir_.Path() / "Stage");
    EXPECT_EQ(RunOpeningFor(100), 0);
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "ステージが一つも存在しません");
    EXPECT_EQ(headless::Messages()[0].caption, "Error");
    EXPECT_TRUE(journal_.events.empty());
    EXPECT_EQ(headless::FramesPresented(), 0);
}

TEST_F(FrameLoopTest, WindowIsTheGamesAndTheScreenSaverWaitsWhileItRuns) {
    bool saverDuringPlay = true;
    Run({{SceneOpening, {true, [&](int) {
                             saverDuringPlay = headless::ScreenSaverEnabled();
                             return SceneEnd;
                         }}}});
    EXPECT_EQ(headless::WindowTitle(), "Veltrim");
    EXPECT_EQ(headless::WindowIcon(), 106);
    EXPECT_FALSE(saverDuringPlay);
    EXPECT_TRUE(headless::ScreenSaverEnabled());
}

TEST_F(FrameLoopTest, SaveDataLivesForTheRunWithParValuesFromTheStageFiles) {
    dir_.Write("data.sav", {'V', 'T', 'R', 2, 2, 30, 40});
    struct {
        int stageCount = 0;
        int continueStage = 0;
        std::vector<uint8_t> records, pars;
    } seen;
    Run({{SceneOpening, {true, [&](int) {
                             const SaveData* save = SaveData::Instance(0);
                             if (save) seen = {save->stageCount, save->continueStage, save->records, save->parValues};
                             return SceneEnd;
                         }}}});
    EXPECT_EQ(seen.stageCount, 2);
    EXPECT_EQ(seen.continueStage, 2);
    EXPECT_EQ(seen.records, (std::vector<uint8_t>{30, 40}));
    EXPECT_EQ(seen.pars, (std::vector<uint8_t>{12, 44}));
    EXPECT_EQ(SaveData::Instance(0), nullptr);  // deleted at shut-down
    EXPECT_EQ(dir_.Read("data.sav"), (std::vector<unsigned char>{'V', 'T', 'R', 2, 2, 30, 40}));  // not saved
}

TEST_F(FrameLoopTest, OnlyTheFirst255StageFilesCount) {
    for (int n = 3; n <= 256; ++n) dir_.Write(StageFilePath(n), {});
    int stageCount = 0;
    Run({{SceneOpening, {true, [&](int) {
                             stageCount = SaveData::Instance(0)->stageCount;
                             return SceneEnd;
                         }}}});
    EXPECT_EQ(stageCount, 255);
}

}  // namespace
