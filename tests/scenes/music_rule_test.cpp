#include <gtest/gtest.h>

#include <memory>

#include "scenes/ending.h"
#include "scenes/scene_fixture.h"
#include "scenes/title.h"

namespace {

// Every scene with music: it starts on the first frame, stops when the window
// loses the focus and starts again (from tick 3000) when the focus returns.
class MusicRuleTest : public SceneTest {
protected:
    template <typename Scene>
    void ExpectMusicFollowsTheFocus(Scene& scene) {
        EXPECT_EQ(scene.music.musicStopped, 1);
        Frame(scene);
        EXPECT_EQ(scene.music.musicStopped, 0);
        headless::SetWindowActive(false);
        Frame(scene);
        EXPECT_EQ(scene.music.musicStopped, 1);
        Frame(scene);
        EXPECT_EQ(scene.music.musicStopped, 1);
        headless::SetWindowActive(true);
        Frame(scene);
        EXPECT_EQ(scene.music.musicStopped, 0);
    }
};

TEST_F(MusicRuleTest, Title) {
    SaveData::Instance(3);
    Title title;
    ExpectMusicFollowsTheFocus(title);
}

TEST_F(MusicRuleTest, Ending) {
    Ending ending;
    ExpectMusicFollowsTheFocus(ending);
}

}  // namespace
