// SPDX-License-Identifier: GPL-3.0-or-later
// The stage title card through the game's frame loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "scenes/stage_title.h"
#include "shell/game.h"
#include "support/play_pictures.h"
#include "support/game_run.h"

namespace {

using play_pictures::At;
using play_pictures::kLabel;
using play_pictures::TitleDigit;

class StageTitleTest : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        play_pictures::WriteStageTitle();
        dir.Write(StageFilePath(1), {0});  // a stage file, so the game starts
    }

    // Runs the launcher and then the card for up to `frames` frames; `keys`
    // gives the keys held during each pass of the loop (from 1).
    void Run(int frames, std::function<std::vector<int>(int)> keys = nullptr) {
        headless::SetInputScript([&, frames](int presented, headless::FrameInput& input) {
            if (keys) input.keysHeld = keys(presented + 1);
            if (presented >= frames) input.closeWindow = true;
        });
        headless::SetFrameObserver([&](int, const std::vector<uint32_t>& pixels) { shots.push_back(pixels); });
        RunGame([this](SceneId id) -> std::unique_ptr<CSeen> {
            requested.push_back(id);
            SaveData& progress = *SaveData::Instance();
            if (id == SceneOpening) return std::make_unique<LaunchScene>(SceneStageTitle);
            if (id != SceneStageTitle) return nullptr;
            progress.mode = mode;
            progress.continueStage = continueStage;
            progress.selectedStage = selectedStage;
            auto card = std::make_unique<StageTitle>();
            shown = card->stage;
            return card;
        });
        headless::SetFrameObserver(nullptr);
        headless::SetInputScript(nullptr);
    }

    // Digits drawn at x = 354, 370, 386 on the row of the card (-1: none).
    std::vector<int> ShownDigits(const std::vector<uint32_t>& frame) const {
        std::vector<int> digits;
        for (int x : {354, 370, 386}) {
            int found = -1;
            for (int d = 0; d < 10; ++d) {
                if (At(frame, x, 228) == TitleDigit(d) && At(frame, x + 14, 251) == TitleDigit(d)) found = d;
            }
            digits.push_back(found);
        }
        return digits;
    }

    int mode = 0;
    uint8_t continueStage = 1;
    uint8_t selectedStage = 1;
    int shown = -1;
    std::vector<SceneId> requested;
    std::vector<std::vector<uint32_t>> shots;
};

TEST_F(StageTitleTest, DigitPositionsForOneTwoAndThreeDigits) {
    struct Case {
        uint8_t stage;
        std::vector<int> digits;
    };
    for (const Case& c : {Case{7, {7, -1, -1}}, Case{12, {1, 2, -1}}, Case{120, {1, 2, 0}}}) {
        SetUp();
        shots.clear();
        mode = 2;
        selectedStage = c.stage;
        Run(3);
        ASSERT_EQ(shots.size(), 3u);
        const auto& frame = shots.back();
        EXPECT_EQ(ShownDigits(frame), c.digits) << int(c.stage);
        EXPECT_EQ(At(frame, 274, 228), kLabel);
        EXPECT_EQ(At(frame, 337, 251), kLabel);
        EXPECT_EQ(At(frame, 273, 228), 0u);
        EXPECT_EQ(At(frame, 338, 240), 0u);
        EXPECT_EQ(At(frame, 354, 227), 0u);
        EXPECT_EQ(At(frame, 354, 252), 0u);
        TearDown();
    }
}

TEST_F(StageTitleTest, StageFollowsThePlayMode) {
    struct Case {
        int mode;
        int expected;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 9}, Case{2, 4}}) {
        SetUp();
        mode = c.mode;
        continueStage = 9;
        selectedStage = 4;
        Run(2);
        EXPECT_EQ(shown, c.expected) << c.mode;
        TearDown();
    }
}

TEST_F(StageTitleTest, WaitsForTheFirstButtonToGoDownAgain) {
    // Z is held when the card appears (it was the title menu's confirm): the
    // card stays until Z is released and pressed again.
    Run(40, [](int pass) {
        if (pass <= 10 || pass == 14) return std::vector<int>{KEY_Z};
        if (pass == 12) return std::vector<int>{KEY_X, KEY_C, KEY_LEFT, KEY_Q};
        return std::vector<int>{};
    });
    EXPECT_EQ(requested, (std::vector<SceneId>{SceneOpening, SceneStageTitle, SceneMap}));
    EXPECT_EQ(shots.size(), 14u);
}

// The columns and rows of the card below the digits that hold anything but black.
struct LitArea {
    int left = 640, right = -1, top = 480, bottom = -1;
    bool Empty() const { return right < 0; }
};

LitArea LitBetween(const std::vector<uint32_t>& frame, int top, int bottom) {
    LitArea area;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < 640; ++x)
            if (At(frame, x, y) != 0u) {
                area.left = std::min(area.left, x);
                area.right = std::max(area.right, x);
                area.top = std::min(area.top, y);
                area.bottom = std::max(area.bottom, y);
            }
    return area;
}

TEST_F(StageTitleTest, TheStagesNameUnderItsNumberWithAPrompt) {
    struct Case {
        const char* name;
        bool shown;
    };
    int shortWidth = 0;
    for (const Case& c : {Case{"", false}, Case{"A", true}, Case{"Counting in Threes", true}}) {
        SetUp();
        shots.clear();
        StageFileImage image;
        image.properties = StageProperties(12, 3, c.name);
        image.characters = {{5, 5}};
        image.board.Set(5, 5, CELL_FLOOR);
        const std::vector<uint8_t> bytes = EncodeStageFile(image);
        dir.Write(StageFilePath(1), {bytes.begin(), bytes.end()});
        Run(3);
        SCOPED_TRACE(c.name);
        ASSERT_EQ(shots.size(), 3u);
        const auto& frame = shots.back();
        // "STAGE 1" as ever.
        EXPECT_EQ(ShownDigits(frame), (std::vector<int>{1, -1, -1}));
        EXPECT_EQ(At(frame, 274, 228), kLabel);
        EXPECT_TRUE(LitBetween(frame, 0, 228).Empty());
        const LitArea name = LitBetween(frame, 256, StageTitle::kPromptY - 4);
        const LitArea prompt = LitBetween(frame, StageTitle::kPromptY - 4, 480);
        if (!c.shown) {
            // A stage without a name: "STAGE n" alone.
            EXPECT_TRUE(name.Empty());
            EXPECT_TRUE(prompt.Empty());
        } else {
            ASSERT_FALSE(name.Empty());
            ASSERT_FALSE(prompt.Empty());
            EXPECT_GE(name.top, StageTitle::kNameY);
            EXPECT_NEAR(name.left + name.right, 640, 4);  // centred
            EXPECT_NEAR(prompt.left + prompt.right, 640, 4);
            EXPECT_GT(prompt.top, name.bottom);
            EXPECT_LT(prompt.bottom - prompt.top, name.bottom - name.top);  // smaller type
            const int width = name.right - name.left;
            if (shortWidth == 0) {
                shortWidth = width;
            } else {
                EXPECT_GT(width, 10 * shortWidth);  // 18 characters against 1
            }
        }
        TearDown();
    }
}

}  // namespace
