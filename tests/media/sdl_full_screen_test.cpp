// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL platform on SDL's window-less dummy driver: the full-screen keys.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "media/media.h"
#include "media/media_internal.h"
#include "support/temp_dir.h"

namespace {

class SdlFullScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("XDG_RUNTIME_DIR", dir_.Path().c_str(), 1);
        media_detail::SelectHeadlessPlatform(false);
        SetWindowTitle("VeltrimFullScreenTest");
        SetWindowedMode(1);
        ASSERT_EQ(InitMedia(), 0);
        window_ = SDL_GetWindowFromID(1);
        for (Uint32 id = 1; !window_ && id < 16; ++id) window_ = SDL_GetWindowFromID(id);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        EndMedia();
        media_detail::SelectHeadlessPlatform(true);
    }

    void Press(SDL_Scancode code, Uint16 mod, bool repeat = false) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.windowID = SDL_GetWindowID(window_);
        event.key.state = SDL_PRESSED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = code;
        event.key.keysym.sym = SDL_GetKeyFromScancode(code);
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        SDL_PushEvent(&event);
        PumpMessages();
    }
    bool FullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; }
    bool PointerShown() const { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

    TempDir dir_;
    SDL_Window* window_ = nullptr;
};

TEST_F(SdlFullScreenTest, F11SwitchesToFullScreenWithoutThePointerAndBack) {
    ASSERT_FALSE(FullScreen());
    EXPECT_TRUE(PointerShown());
    Press(SDL_SCANCODE_F11, KMOD_NONE);
    EXPECT_TRUE(FullScreen());
    EXPECT_FALSE(PointerShown());
    Press(SDL_SCANCODE_F11, KMOD_NONE);
    EXPECT_FALSE(FullScreen());
    EXPECT_TRUE(PointerShown());
}

TEST_F(SdlFullScreenTest, AltWithEitherEnterSwitchesButEnterAloneDoesNot) {
    Press(SDL_SCANCODE_RETURN, KMOD_NONE);
    EXPECT_FALSE(FullScreen());
    Press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_TRUE(FullScreen());
    Press(SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    EXPECT_FALSE(FullScreen());
}

TEST_F(SdlFullScreenTest, AKeyRepeatingWhileHeldSwitchesOnlyOnce) {
    Press(SDL_SCANCODE_F11, KMOD_NONE);
    Press(SDL_SCANCODE_F11, KMOD_NONE, true);
    Press(SDL_SCANCODE_F11, KMOD_NONE, true);
    EXPECT_TRUE(FullScreen());
}

TEST_F(SdlFullScreenTest, TheWindowKeepsOneTimesOnTheDummyDesktop) {
    // The dummy driver's desktop is 1024x768: twice the screen does not fit.
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

}  // namespace
