// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped scene table from the title card through two stages: restart
// with C, a clear leading to the next stage's card, X back to the opening.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "support/play_pictures.h"
#include "support/game_run.h"

namespace {

class GameFlowTest : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        play_pictures::WriteAll();
        // Two stages: a goal for 2 right of the start, one mark showing 2.
        StageFileImage stage;
        stage.backgroundName = "bg.bfg";
        for (int c = 4; c <= 8; ++c) stage.board.Set(c, 6, CELL_FLOOR);
        stage.board.Set(6, 6, CELL_GOAL_2);
        stage.board.Set(8, 6, CELL_MARK_2);
        stage.characters = {{5, 6}};
        const std::vector<uint8_t> bytes = EncodeStageFile(stage);
        for (int n = 1; n <= 2; ++n) dir.Write(StageFilePath(n), {bytes.begin(), bytes.end()});
    }
};

TEST_F(GameFlowTest, CardMapRestartClearNextCardAndLeave) {
    std::vector<SceneId> requested;
    int sinceSwitch = 0;
    int mapVisits = 0;
    // Keys by what is current: Z on the card (once it has been shown a frame),
    // C in the first map visit, right in the second, X in the third.
    headless::SetInputScript([&](int presented, headless::FrameInput& input) {
        ++sinceSwitch;
        if (presented > 2000) input.closeWindow = true;
        if (requested.empty()) return;
        const SceneId current = requested.back();
        if (current == SceneStageTitle && sinceSwitch == 2) input.keysHeld = {KEY_Z};
        if (current == SceneMap && sinceSwitch == 3) {
            if (mapVisits == 1) input.keysHeld = {KEY_C};
            if (mapVisits == 2) input.keysHeld = {KEY_RIGHT};
            if (mapVisits == 3) input.keysHeld = {KEY_X};
        }
    });
    const int result = RunGame([&](SceneId id) -> std::unique_ptr<CSeen> {
        requested.push_back(id);
        sinceSwitch = 0;
        if (id == SceneMap) ++mapVisits;
        if (id == SceneOpening) {
            if (requested.size() == 1) return std::make_unique<LaunchScene>(SceneStageTitle, [] {
                // stands in for the title menu: "play from stage 1"
                SaveData::Instance()->mode = 0;
            });
            return nullptr;  // back at the opening: the run ends
        }
        return BuildScene(id);
    });
    headless::SetInputScript(nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(requested, (std::vector<SceneId>{SceneOpening, SceneStageTitle, SceneMap, SceneStageTitle,
                                               SceneMap, SceneStageTitle, SceneMap, SceneOpening}));
    EXPECT_TRUE(headless::Messages().empty());
    // Stage 1 cleared in one step; play continues from stage 2.
    EXPECT_EQ(dir.Read("data.sav"), (std::vector<unsigned char>{'V', 'T', 'R', 2, 2, 1, 0}));
}

}  // namespace
