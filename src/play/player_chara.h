// SPDX-License-Identifier: GPL-3.0-or-later
// The figure the player steers: seven animations cut from "heroine.bfg",
// whole-cell walks driven by the pad and the one-shot animations the tile
// rules start (warp leave and arrive, clear pose).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "play/chara.h"
#include "play/tile_rules.h"  // PlayerMotion

// One frame of an animation: a rectangle of the character picture, how many
// extra frames it stays, and the movement applied when it is entered.
struct AnimFrame {
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t flag = 0;  // always 0
    int32_t wait = 0;
    CTPoint offset;
};

// What the current step is: none yet, a walk on the spot, a real move.
enum StepKind : int {
    kStepNone = 0,
    kStepBlocked = 1,
    kStepMoving = 16,
};

class PlayerChara : public Chara {
public:
    static constexpr int kAnimationSlots = 35;
    static constexpr int kPlayerMotions = 7;

    // Stands on pixel (x, y) with the picture "heroine.bfg" from the cache.
    PlayerChara(int x, int y);
    // Same, with an already loaded picture (or -1 for none).
    PlayerChara(int x, int y, int imageHandle);
    ~PlayerChara() override = default;

    int AcceptsInput(int bits) override;
    int BeginStep(int pressed) override;
    int Tick(int rising, int unused) override;
    void Draw() override;
    int GetImageHandle(int unused) override;

    // Switches to motion `n` at frame `f` and starts it running.
    void StartAnimation(int n, int f);

    std::array<std::vector<AnimFrame>, kAnimationSlots> animations;
    std::array<uint8_t, kPlayerMotions> oneShot{};
    std::array<uint8_t, kPlayerMotions> started{};
    uint8_t animating = 0;
    int stepKind = kStepNone;

private:
    void BuildAnimations();
    const std::vector<AnimFrame>& CurrentAnimation() const;
};
