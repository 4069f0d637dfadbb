// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/game.h"

#include <cstdint>
#include <utility>

#include "media/media.h"
#include "resources/save_data.h"
#include "scenes/caption_text.h"
#include "shell/scene_manager.h"

namespace {

constexpr uint32_t kFrameMs = 17;
// Below this the wait sleeps a millisecond at a time, so a late wake-up
// costs at most about one millisecond.
constexpr uint32_t kFineWaitMs = 2;

// Waits until kFrameMs have passed since t0 by the millisecond clock, asleep.
// Differences in 32 bits keep the clock's wrap harmless.
void WaitForFrameEnd(uint32_t t0) {
    for (;;) {
        const uint32_t elapsed = static_cast<uint32_t>(GetTimeMs()) - t0;
        if (elapsed >= kFrameMs) return;
        const uint32_t remaining = kFrameMs - elapsed;
        SleepMs(static_cast<int>(remaining > kFineWaitMs ? remaining - kFineWaitMs : 1));
    }
}

void SetStartUpOptions() {
    SetLogOutput(0);
    SetWindowIcon(106);
    SetRunInBackground(1);
    SetWindowedMode(1);
    SetWindowTitle("Veltrim");
}

void SetDrawingDefaults() {
    SetMidiMode(1);
    SetMusicVolume(240);
    SetDrawTarget(kBackBuffer);
    SetTransparentColor(0, 255, 0);
    SetFontType(3);
    SetFontSize(kGameFontSize);
}

void RunFrames(SceneManager& manager) {
    for (;;) {
        if (IsKeyDown(KEY_ESCAPE) != 0) return;
        const uint32_t t0 = static_cast<uint32_t>(GetTimeMs());
        ClearScreen();
        if (!manager.scene) return;
        const uint32_t pad = static_cast<uint32_t>(GetPadState(0x1001));
        // Buttons count on the frame they go down, directions on every frame held.
        const uint32_t pressed = ((manager.previousPad ^ pad) | manager.repeatMask) & pad;
        manager.scene->Update(pressed);
        const SceneId id = manager.scene->Step(0);
        manager.scene->Draw();
        if (id != manager.currentId) manager.SwitchScene(id);
        manager.previousPad = pad;
        if (id == SceneEnd) return;  // the last frame is not presented
        FlipScreen();
        WaitForFrameEnd(t0);
        if (PumpMessages() != 0) return;
    }
}

}  // namespace

int RunGame() { return RunGame(BuildScene); }

int RunGame(SceneFactory factory) {
    SetStartUpOptions();
    if (InitMedia() == -1) return -1;
    SetDrawingDefaults();

    SceneManager manager(std::move(factory));
    manager.screenWidth = kScreenWidth;
    manager.screenHeight = kScreenHeight;
    manager.Start();
    if (PumpMessages() == 0) RunFrames(manager);

    EndMedia();
    SaveData::Destroy();
    manager.scene.reset();  // after EndMedia: its media calls fail harmlessly
    return 0;
}
