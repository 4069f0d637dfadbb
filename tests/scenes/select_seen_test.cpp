// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "scenes/scene_fixture.h"
#include "scenes/select_seen.h"

namespace {

constexpr uint32_t kBackground = 0x101010;
constexpr uint32_t kClearedFrame = 0x00C000;
constexpr uint32_t kOtherFrame = 0x0000C0;
constexpr uint32_t kCursorEdge = 0xFFFF00;
constexpr uint32_t kOverParBadge = 0xC0C0C8;
constexpr uint32_t kSlash = 0xFFFFFF;

// Digit d of the number picture is a block of red 20 * d + 40.
uint32_t DigitColor(int d) { return static_cast<uint32_t>(20 * d + 40) << 16 | 0x0040; }

class SelectSeenTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SolidPicture("select_bg.bfg", 640, 480, kBackground);
        // Frames: cleared, other, and the cursor overlay (a 2-pixel edge
        // around black, which is the transparent colour).
        // The fourth cell is the over-par badge: a block low in the middle.
        std::vector<uint32_t> frames(192 * 48);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 192; ++x) {
                const bool edge = x - 96 < 2 || x - 96 >= 46 || y < 2 || y >= 46;
                const bool badge = x - 144 >= 18 && x - 144 < 30 && y >= 30 && y < 42;
                frames[y * 192 + x] = x < 48 ? kClearedFrame : x < 96 ? kOtherFrame : x < 144 ? (edge ? kCursorEdge : 0)
                                                                                 : (badge ? kOverParBadge : 0);
            }
        }
        Picture("select_frames.bfg", 192, 48, frames);
        SolidPicture("select_icons.bfg", 96, 64, 0x808080);
        std::vector<uint32_t> number(96 * 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 96; ++x) number[y * 96 + x] = x < 80 ? DigitColor(x / 8) : kSlash;
        }
        Picture("number.bfg", 96, 16, number);
        SolidPicture("bg1.bfg", 640, 480, 0x336699);
        SolidPicture("tails.bfg", 32, 64, 0x999999);
        SolidPicture("heroine.bfg", 32, 64, 0xAA5500);
        for (const char* sound : {"move2.wav", "ok.wav", "cansel.wav"}) {
            test_pictures::WriteFile(sound, test_pictures::MakeWav());
        }
    }

    // Writes stage files 1..count and creates the save data for them.
    SaveData& Stages(int count) {
        StageFileImage image;
        for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r) {
            for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) image.board.Set(c, r, CELL_FLOOR);
        }
        image.board.Set(3, 3, CELL_MARK_1);
        image.characters = {{5, 6}};
        for (int n = 1; n <= count; ++n) test_pictures::WriteFile(StageFilePath(n), EncodeStageFile(image));
        SaveData& save = *SaveData::Instance(static_cast<uint8_t>(count));
        save.mode = 2;
        for (int i = 0; i < count; ++i) save.parValues[i] = 12;
        return save;
    }

    static int CellCentreX(int cell) { return SelectSeen::CellX(cell) + 24; }
    static int CellCentreY(int cell) { return SelectSeen::CellY(cell) + 24; }
};

TEST_F(SelectSeenTest, CursorTableOnALastPageOfSevenStages) {
    SaveData& save = Stages(52);
    save.selectedStage = 47;
    SelectSeen scene;
    ASSERT_EQ(scene.page, 1);
    ASSERT_EQ(scene.cursor, 1);
    struct Move {
        int from;
        uint32_t pad;
        int to;
    };
    const Move moves[] = {
        {1, PAD_UP, 6},    {3, PAD_UP, 3},    {6, PAD_DOWN, 1}, {6, PAD_RIGHT, 5},
        {5, PAD_LEFT, 6},  {0, PAD_LEFT, 4},  {4, PAD_RIGHT, 0}, {2, PAD_DOWN, 2},
    };
    for (const Move& move : moves) {
        scene.cursor = static_cast<uint8_t>(move.from);
        scene.coolDown = 0;
        Frame(scene, move.pad);
        EXPECT_EQ(scene.cursor, move.to) << "from " << move.from << " pad " << move.pad;
        EXPECT_EQ(scene.coolDown, 5);
    }
}

TEST_F(SelectSeenTest, SeveralDirectionsActInOrderInOneFrame) {
    Stages(45);
    SelectSeen scene;
    // Up from 0 goes to 40, then down wraps to 0, then right to 1.
    Frame(scene, PAD_UP | PAD_DOWN | PAD_RIGHT);
    EXPECT_EQ(scene.cursor, 1);
}

TEST_F(SelectSeenTest, HeldDirectionMovesOnTheFirstFrameThenEverySixth) {
    Stages(45);
    SelectSeen scene;
    std::vector<int> movedOn;
    int previous = scene.cursor;
    for (int k = 1; k <= 19; ++k) {
        Frame(scene, PAD_RIGHT);
        if (scene.cursor != previous) movedOn.push_back(k);
        previous = scene.cursor;
    }
    EXPECT_EQ(movedOn, (std::vector<int>{1, 7, 13, 19}));
    EXPECT_EQ(scene.cursor, 4);
}

TEST_F(SelectSeenTest, PageFlipsCoolDownForTenFramesOrFiveAfterAMove) {
    Stages(100);
    SelectSeen scene;
    Frame(scene, PAD_RIGHT);
    ASSERT_EQ(scene.cursor, 1);
    for (int k = 0; k < 5; ++k) Frame(scene);
    Frame(scene, PAD_BUTTON8);
    EXPECT_EQ(scene.page, 1);
    EXPECT_EQ(scene.cursor, 0);
    int framesStill = 0;
    while (scene.cursor == 0 && framesStill < 20) {
        Frame(scene, PAD_DOWN);
        ++framesStill;
    }
    EXPECT_EQ(framesStill, 11);  // ten frames of cool-down, then the move

    // A direction in the flip's own frame moves from cell 0 and cools down 5.
    scene.coolDown = 0;
    Frame(scene, PAD_BUTTON8 | PAD_DOWN);
    EXPECT_EQ(scene.page, 2);
    EXPECT_EQ(scene.cursor, 5);  // page 2 holds stages 91..100: down from cell 0 goes to 5
    EXPECT_EQ(scene.coolDown, 5);
}

TEST_F(SelectSeenTest, PageFlipsWrapBothWays) {
    Stages(100);
    SelectSeen scene;
    Frame(scene, PAD_BUTTON7);
    EXPECT_EQ(scene.page, 2);
    scene.coolDown = 0;
    Frame(scene, PAD_BUTTON8);
    EXPECT_EQ(scene.page, 0);
}

TEST_F(SelectSeenTest, FortyFiveStagesMakeOnePage) {
    Stages(45);
    SaveData::Instance()->selectedStage = 45;
    SelectSeen scene;
    EXPECT_EQ(scene.lastPage, 0);
    EXPECT_EQ(scene.cursor, 44);
    Frame(scene, PAD_BUTTON8);
    EXPECT_EQ(scene.page, 0);
    EXPECT_EQ(scene.cursor, 0);
    scene.coolDown = 0;
    scene.cursor = 44;
    Frame(scene, PAD_BUTTON7);
    EXPECT_EQ(scene.page, 0);
    EXPECT_EQ(scene.cursor, 0);
}

TEST_F(SelectSeenTest, FortySixStagesPutOneCellOnTheSecondPage) {
    Stages(46);
    SelectSeen scene;
    EXPECT_EQ(scene.lastPage, 1);
    Frame(scene, PAD_BUTTON8);
    ASSERT_EQ(scene.page, 1);
    // Every direction stays on the only cell.
    for (uint32_t pad : {PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT}) {
        scene.coolDown = 0;
        Frame(scene, pad);
        EXPECT_EQ(scene.cursor, 0) << "pad " << pad;
    }
    const std::vector<uint32_t>& frame = Frame(scene);
    EXPECT_EQ(At(frame, CellCentreX(1), CellCentreY(1)), kBackground);  // no second cell
}

TEST_F(SelectSeenTest, NumbersOnTheSecondPageStartAt46AndTheIndicatorIsTinted) {
    Stages(60);
    SelectSeen scene;
    Frame(scene, PAD_BUTTON8);
    const std::vector<uint32_t>& frame = Frame(scene);
    // Cell 0 (the cursor's, opaque): "46" centred on x + 24, top at y + 7.
    const int x = SelectSeen::CellX(0);
    const int y = SelectSeen::CellY(0) + 7 + 8;
    EXPECT_EQ(At(frame, x + 24 - 4, y), DigitColor(4));
    EXPECT_EQ(At(frame, x + 24 + 4, y), DigitColor(6));
    // Cell 1 is at 200/255 opacity over its frame: "47".
    const uint32_t seven = At(frame, SelectSeen::CellX(1) + 24 + 4, y);
    EXPECT_NEAR(Red(seven), Red(DigitColor(7)) * 200 / 255, 2);
    // The indicator "1/1": the slash at (128, 455) and the digits around it,
    // tinted by (252, 199, 199).
    EXPECT_EQ(At(frame, 136, 463), 0xFCC7C7u);
    EXPECT_NEAR(Red(At(frame, 124, 463)), Red(DigitColor(1)) * 252 / 255, 1);
    EXPECT_NEAR(Red(At(frame, 148, 463)), Red(DigitColor(1)) * 252 / 255, 1);
}

TEST_F(SelectSeenTest, CellsClearedWithinParAreMarked) {
    SaveData& save = Stages(5);
    save.records[0] = 12;  // equal to par: within
    save.records[1] = 13;  // above par
    save.records[2] = 0;   // never cleared
    save.records[3] = 1;
    save.selectedStage = 5;
    SelectSeen scene;
    const std::vector<uint32_t>& frame = Frame(scene);
    auto frameColour = [&](int cell) { return At(frame, SelectSeen::CellX(cell) + 3, SelectSeen::CellY(cell) + 3); };
    EXPECT_GT(Green(frameColour(0)), Blue(frameColour(0)));
    EXPECT_GT(Blue(frameColour(1)), Green(frameColour(1)));
    EXPECT_GT(Blue(frameColour(2)), Green(frameColour(2)));
    EXPECT_GT(Green(frameColour(3)), Blue(frameColour(3)));
    // The cursor's cell is drawn opaque under the cursor edge.
    EXPECT_EQ(At(frame, SelectSeen::CellX(4), SelectSeen::CellY(4)), kCursorEdge);
    EXPECT_EQ(At(frame, SelectSeen::CellX(4) + 3, SelectSeen::CellY(4) + 3), kOtherFrame);
}

TEST_F(SelectSeenTest, CellsClearedOverParCarryABadgeThatNeverClearedOnesLack) {
    SaveData& save = Stages(6);
    save.records[0] = 13;   // over par (12)
    save.records[1] = 0;    // never cleared
    save.records[2] = 12;   // at par
    save.records[3] = 254;  // far over
    save.records[4] = 13;   // over par, under the cursor
    save.selectedStage = 5;
    SelectSeen scene;
    const std::vector<uint32_t>& frame = Frame(scene);
    auto badge = [&](int cell) { return At(frame, SelectSeen::CellX(cell) + 24, SelectSeen::CellY(cell) + 38); };
    auto edge = [&](int cell) { return At(frame, SelectSeen::CellX(cell) + 3, SelectSeen::CellY(cell) + 3); };
    // On the page the cells are drawn at opacity 200 over the background.
    EXPECT_GT(Red(badge(0)), 0x80);
    EXPECT_GT(Red(badge(3)), 0x80);
    EXPECT_LT(Red(badge(1)), 0x40);
    EXPECT_LT(Red(badge(2)), 0x40);
    // The frame itself stays the one of "any other stage".
    EXPECT_GT(Blue(edge(0)), Green(edge(0)));
    // The cursor's cell is drawn opaque, badge included.
    EXPECT_EQ(badge(4), kOverParBadge);
    EXPECT_EQ(At(frame, SelectSeen::CellX(4) + 3, SelectSeen::CellY(4) + 3), kOtherFrame);
}

TEST_F(SelectSeenTest, PreviewIsRebuiltOnlyWhenTheCursorLandsOnAnotherCell) {
    Stages(50);
    SelectSeen scene;
    EXPECT_EQ(scene.preview, nullptr);
    const std::vector<uint32_t>& frame = Frame(scene);
    ASSERT_NE(scene.preview, nullptr);
    // The half-size stage, framed in white, in (286, 34)-(606, 274).
    EXPECT_EQ(At(frame, 286, 34), 0xFFFFFFu);
    EXPECT_EQ(At(frame, 446, 154), 0x336699u);
    // A rebuild writes the previewed stage into the save data, so a value
    // planted there shows whether one happened.
    SaveData& save = *SaveData::Instance();
    const int firstImage = scene.previewImage;
    save.selectedStage = 99;
    for (int k = 0; k < 5; ++k) Frame(scene);
    EXPECT_EQ(save.selectedStage, 99);
    EXPECT_EQ(scene.previewImage, firstImage);

    Frame(scene, PAD_RIGHT);
    EXPECT_EQ(save.selectedStage, 2);
    EXPECT_EQ(scene.previewedCursor, 1);

    // Moving back to cell 0 and flipping the page rebuilds even for the same
    // cell index.
    scene.coolDown = 0;
    Frame(scene, PAD_LEFT);
    ASSERT_EQ(save.selectedStage, 1);
    scene.coolDown = 0;
    save.selectedStage = 99;
    Frame(scene, PAD_BUTTON8);
    EXPECT_EQ(scene.cursor, 0);
    EXPECT_EQ(save.selectedStage, 46);
}

TEST_F(SelectSeenTest, ConfirmWinsOverCancelAndNeedsAStageThatLoads) {
    Stages(3);
    std::filesystem::remove(StageFilePath(2));
    SelectSeen scene;
    Frame(scene);
    Frame(scene, PAD_RIGHT);  // stage 2: no file, "Nothing"
    const std::vector<uint32_t>& frame = Frame(scene);
    EXPECT_NE(At(frame, 286, 34), 0xFFFFFFu);  // no white frame around "Nothing"
    Frame(scene, PAD_BUTTON1 | PAD_BUTTON2);
    EXPECT_EQ(lastStep, SceneSelect);  // ignored confirm, and no cancel either

    scene.coolDown = 0;
    Frame(scene, PAD_RIGHT);  // stage 3
    Frame(scene, PAD_BUTTON1 | PAD_BUTTON2);
    EXPECT_EQ(lastStep, SceneStageTitle);
    EXPECT_EQ(SaveData::Instance()->selectedStage, 3);
}

TEST_F(SelectSeenTest, ConfirmOnTheVeryFirstFrameJudgesAPreviewBuiltAtOnce) {
    SaveData& save = Stages(4);
    save.selectedStage = 4;
    {
        SelectSeen scene;
        Frame(scene, PAD_BUTTON1);
        EXPECT_EQ(lastStep, SceneStageTitle);
        EXPECT_EQ(save.selectedStage, 4);
    }
    std::filesystem::remove(StageFilePath(4));
    SelectSeen scene;
    Frame(scene, PAD_BUTTON1);
    EXPECT_EQ(lastStep, SceneSelect);
    ASSERT_NE(scene.preview, nullptr);
    EXPECT_EQ(scene.preview->GetNextId(0), SceneEnd);
}

}  // namespace

namespace {

TEST_F(SelectSeenTest, PreviewRebuildLeavesNoTraceBehindThePage) {
    // The page's black pixels are transparent; the frame in which a preview
    // is built must show black there, not the full-size stage drawn for it.
    std::vector<uint32_t> background(640 * 480, kBackground);
    for (int y = 400; y < 480; ++y) {
        for (int x = 560; x < 640; ++x) background[y * 640 + x] = 0;
    }
    Picture("select_bg.bfg", 640, 480, background);
    Stages(3);
    SelectSeen scene;
    const std::vector<uint32_t>& frame = Frame(scene);
    EXPECT_EQ(At(frame, 600, 440), 0u);
    Frame(scene, PAD_RIGHT);
    EXPECT_EQ(At(headless::LastPresentedFrame(), 600, 440), 0u);
}

}  // namespace
