// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "scenes/opening.h"
#include "scenes/title.h"
#include "scenes/scene_fixture.h"

namespace {

// The logo is blue: over the white screen its red channel falls as its
// opacity rises, so red = 255 - opacity (give or take rounding).
constexpr uint32_t kLogoColor = 0x0000FF;

class OpeningTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SolidPicture("logo.bfg", 160, 96, kLogoColor);
    }
    static int OpacityAt(const std::vector<uint32_t>& frame) { return 255 - Red(At(frame, 320, 240)); }
};

TEST_F(OpeningTest, LogoFadesInAndOutOver102Frames) {
    Opening opening;
    ASSERT_EQ(opening.GetNextId(0), SceneOpening);
    for (int k = 1; k <= 102; ++k) {
        const std::vector<uint32_t>& frame = Frame(opening);
        const int expected = k <= 51 ? 5 * k : 255 - 5 * (k - 51);
        if (k == 1 || k == 51 || k == 102 || k % 17 == 0) {
            EXPECT_NEAR(OpacityAt(frame), expected, 1) << "frame " << k;
            EXPECT_EQ(At(frame, 10, 10), 0xFFFFFFu) << "white around the logo, frame " << k;
        }
        EXPECT_EQ(opening.alpha, expected);
        EXPECT_EQ(lastStep, k < 102 ? SceneOpening : SceneTitle) << "frame " << k;
    }
    // Frame 51 is the peak: the logo is fully opaque there.
    EXPECT_EQ(opening.alphaStep, -5);
}

TEST_F(OpeningTest, FirstButtonSkipsToTheTitleAtOnce) {
    Opening opening;
    Frame(opening);
    Frame(opening, PAD_DOWN | PAD_UP);  // directions do nothing
    EXPECT_EQ(lastStep, SceneOpening);
    Frame(opening, PAD_BUTTON1);
    EXPECT_EQ(lastStep, SceneTitle);
}

TEST_F(OpeningTest, MissingLogoIsReportedAndTheFadeRunsOn) {
    std::filesystem::remove("logo.bfg");
    Opening opening;
    EXPECT_EQ(opening.logo, -1);
    EXPECT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(opening.GetNextId(0), SceneOpening);
    const std::vector<uint32_t>& frame = Frame(opening);
    EXPECT_EQ(At(frame, 320, 240), 0xFFFFFFu);
}

// Menu labels: item i is a 96x16 block of its own colour.
constexpr uint32_t kItemColors[4] = {0xFF0000, 0x00FF00, 0xFFFF00, 0xFF00FF};
constexpr uint32_t kTitleBackground = 0x202020;

class TitleTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SolidPicture("title_bg.bfg", 640, 480, kTitleBackground);
        std::vector<uint32_t> menu;
        for (uint32_t color : kItemColors) menu.insert(menu.end(), 96 * 16, color);
        Picture("title_menu.bfg", 96, 64, menu);
        test_pictures::WriteFile("move1.wav", test_pictures::MakeWav());
        test_pictures::WriteFile("ok.wav", test_pictures::MakeWav());
        SaveData::Instance(10);
    }

    static uint32_t ItemPixel(const std::vector<uint32_t>& frame, int item) {
        return At(frame, 272 + 48, 352 + 24 * item + 8);
    }
};

TEST_F(TitleTest, DrawsTheSelectedItemOpaqueAndTheOthersAtHalf) {
    Title title;
    ASSERT_EQ(title.GetNextId(0), SceneTitle);
    EXPECT_TRUE(headless::Messages().empty());
    const std::vector<uint32_t>& frame = Frame(title);
    EXPECT_EQ(At(frame, 5, 5), kTitleBackground);
    EXPECT_EQ(ItemPixel(frame, 0), kItemColors[0]);
    for (int i = 1; i < 4; ++i) {
        const uint32_t p = ItemPixel(frame, i);
        // Half of the label over the background.
        EXPECT_NEAR(Red(p), (Red(kItemColors[i]) + 0x20) / 2, 2) << "item " << i;
        EXPECT_NEAR(Green(p), (Green(kItemColors[i]) + 0x20) / 2, 2) << "item " << i;
    }
}

TEST_F(TitleTest, HeldDirectionMovesOnTheFirstFrameThenEveryEleventh) {
    Title title;
    std::vector<int> movedOn;
    int previous = title.cursor;
    for (int k = 1; k <= 45; ++k) {
        Frame(title, PAD_DOWN);
        if (title.cursor != previous) movedOn.push_back(k);
        previous = title.cursor;
    }
    EXPECT_EQ(movedOn, (std::vector<int>{1, 12, 23, 34, 45}));
    // Five moves down from item 0 wrap past item 3 back to item 1.
    EXPECT_EQ(title.cursor, 1);
    const std::vector<uint32_t>& frame = Frame(title);
    EXPECT_EQ(ItemPixel(frame, 1), kItemColors[1]);
}

TEST_F(TitleTest, UpAndDownInOneFrameCancelOut) {
    Title title;
    Frame(title, PAD_UP | PAD_DOWN);
    EXPECT_EQ(title.cursor, 0);
    EXPECT_EQ(title.coolDown, 10);
}

TEST_F(TitleTest, ConfirmWorksDuringTheCoolDownAndRecordsTheMode) {
    SaveData* save = SaveData::Instance();
    save->continueStage = 7;
    save->records[2] = 30;
    save->mode = 2;
    Title title;
    Frame(title, PAD_DOWN);
    Frame(title, PAD_DOWN);  // still cooling down: no move
    ASSERT_EQ(title.cursor, 1);
    ASSERT_GT(title.coolDown, 0);
    Frame(title, PAD_BUTTON1);
    EXPECT_EQ(lastStep, SceneStageTitle);
    EXPECT_EQ(save->mode, 1);
    EXPECT_EQ(save->continueStage, 7);
}

TEST_F(TitleTest, EachItemLeadsToItsScene) {
    SaveData* save = SaveData::Instance();
    const SceneId expected[4] = {SceneStageTitle, SceneStageTitle, SceneSelect, SceneEnd};
    const int32_t modes[4] = {0, 1, 2, 2};
    for (int item = 0; item < 4; ++item) {
        save->continueStage = 5;
        save->records[0] = 12;
        Title title;
        title.cursor = item;
        EXPECT_EQ(title.Update(PAD_BUTTON1), expected[item]) << "item " << item;
        EXPECT_EQ(save->mode, modes[item]) << "item " << item;
        // Starting from stage 1 keeps the progress.
        EXPECT_EQ(save->continueStage, 5);
        EXPECT_EQ(save->records[0], 12);
    }
}

TEST_F(TitleTest, MissingFilesAreReportedAndTheMenuRunsOn) {
    std::filesystem::remove("title_bg.bfg");
    std::filesystem::remove("move1.wav");
    Title title;
    EXPECT_EQ(headless::Messages().size(), 2u);
    Frame(title, PAD_DOWN);
    EXPECT_EQ(title.cursor, 1);
}

}  // namespace
