// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped scene table driven by the real frame loop: the opening fades
// into the title, the menu reaches the stage selection, cancel returns to the
// opening, the first button skips it, and the quit item ends the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "resources/test_pictures.h"
#include "shell/game.h"
#include "support/game_run.h"

namespace {

// Each screen is told apart by the colour of its background's corner.
enum class Screen { Other, Opening, Title, Select };
constexpr uint32_t kTitleBackground = 0x203050;
constexpr uint32_t kSelectBackground = 0x502030;

Screen Classify(const std::vector<uint32_t>& frame) {
    switch (frame[470 * kScreenWidth + 630]) {
        case 0xFFFFFF: return Screen::Opening;
        case kTitleBackground: return Screen::Title;
        case kSelectBackground: return Screen::Select;
        default: return Screen::Other;
    }
}

class SceneFlowTest : public GameRunTest {
protected:
    void SetUp() override {
        using namespace test_pictures;
        GameRunTest::SetUp();
        WriteBfg("logo.bfg", MakeSolidBmp(160, 96, 0x0000FF));
        WriteBfg("title_bg.bfg", MakeSolidBmp(640, 480, kTitleBackground));
        WriteBfg("title_menu.bfg", MakeSolidBmp(96, 64, 0xE0E0E0));
        WriteSelectAndMapPictures(kSelectBackground);
        for (const char* sound : {"move1.wav", "move2.wav", "ok.wav", "cansel.wav", "footstep.wav", "footstep2.wav",
                                  "warp.wav", "brock.wav", "arrow.wav", "erase.wav", "undo.wav"}) {
            WriteFile(sound, MakeWav());
        }
        StageFileImage stage;
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) stage.board.Set(c, 6, CELL_FLOOR);
        stage.characters = {{4, 6}};
        for (int n = 1; n <= 3; ++n) WriteFile(StageFilePath(n), EncodeStageFile(stage));
    }
};

TEST_F(SceneFlowTest, OpeningTitleSelectionAndBackToTheEnd) {
    // Screens in the order they were first shown, and how long each lasted.
    std::vector<Screen> shown;
    std::vector<int> lengths;
    headless::SetFrameObserver([&](int, const std::vector<uint32_t>& pixels) {
        const Screen screen = Classify(pixels);
        if (shown.empty() || shown.back() != screen) {
            shown.push_back(screen);
            lengths.push_back(0);
        }
        ++lengths.back();
    });
    // Keys go down for one frame at a time, a few frames into each screen.
    headless::SetInputScript([&](int, headless::FrameInput& input) {
        if (shown.empty()) return;
        const int visit = static_cast<int>(shown.size());
        const int frames = lengths.back();
        switch (visit) {
            case 2:  // the title after the full fade: down twice to "choose a stage", confirm
                if (frames == 3 || frames == 15) input.keysHeld = {KEY_DOWN};
                if (frames == 27) input.keysHeld = {KEY_Z};
                break;
            case 3:  // the selection: cancel
                if (frames == 5) input.keysHeld = {KEY_X};
                break;
            case 4:  // the opening again: skip it
                if (frames == 3) input.keysHeld = {KEY_Z};
                break;
            case 5:  // the title: up wraps to "quit", confirm
                if (frames == 3) input.keysHeld = {KEY_UP};
                if (frames == 6) input.keysHeld = {KEY_Z};
                break;
            default:
                break;
        }
    });

    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(shown, (std::vector<Screen>{Screen::Opening, Screen::Title, Screen::Select, Screen::Opening,
                                          Screen::Title}));
    ASSERT_EQ(lengths.size(), 5u);
    EXPECT_EQ(lengths[0], 102);  // the fade's last frame is shown, then the switch
    EXPECT_EQ(lengths[3], 4);    // the frame that takes the button is still shown
    EXPECT_TRUE(headless::Messages().empty());
}

}  // namespace
