// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound and piece of the game folder loads through the media layer the
// game uses, and sounds when played: each piece right from tick 3000, where
// the game starts it.
#include <cmath>
#include <string>
#include <vector>

#include "game_folder.h"

namespace content_test {
namespace {

class MediaLoadingTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        SetMidiMode(1);
        SetMusicVolume(240);
    }

    // Root mean square level of the next `seconds` of mixed output.
    static double Level(double seconds) {
        std::vector<int16_t> out(static_cast<size_t>(seconds * 44100) * 2);
        EXPECT_TRUE(headless::RenderAudio(out.data(), static_cast<int>(out.size() / 2)));
        double sum = 0;
        for (int16_t s : out) sum += static_cast<double>(s) * s;
        return std::sqrt(sum / static_cast<double>(out.size()));
    }

    static std::string Path(const char* name) { return (GameFolder() / name).string(); }
};

TEST_F(MediaLoadingTest, EverySoundLoadsAndIsHeard) {
    for (const char* name : {"move1.wav", "move2.wav", "ok.wav", "cansel.wav", "footstep.wav", "footstep2.wav",
                             "warp.wav", "brock.wav", "arrow.wav", "erase.wav", "clear.wav", "undo.wav"}) {
        SCOPED_TRACE(name);
        int sound = LoadSound(Path(name).c_str(), 3, -1);
        ASSERT_NE(sound, -1);
        ASSERT_EQ(PlaySound(sound, 1, 1), 0);
        EXPECT_GT(Level(0.05), 300.0);
        Level(1.5);  // let it finish before the next
    }
}

TEST_F(MediaLoadingTest, EveryPieceLoadsAndPlaysFromTheGamesStartPoint) {
    for (const char* name : {"title.mid", "select.mid", "stage1.mid", "credit.mid"}) {
        SCOPED_TRACE(name);
        int music = LoadMusic(Path(name).c_str());
        ASSERT_NE(music, -1);
        ASSERT_EQ(PlayMusic(music, 3, 3000), 0);
        // Within the first half second the piece is already under way.
        EXPECT_GT(Level(0.5), 150.0);
        EXPECT_GT(Level(2.0), 150.0);
        StopMusic(music);
        DeleteMusic(music);
    }
}

}  // namespace
}  // namespace content_test
