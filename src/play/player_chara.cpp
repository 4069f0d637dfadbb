// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/player_chara.h"

#include <initializer_list>

#include "media/media.h"
#include "resources/resource_manager.h"

namespace {

constexpr int kFrameWidth = 32;
constexpr int kFrameHeight = 64;

std::vector<AnimFrame> CutFrames(std::initializer_list<int> columns, int srcY, int wait,
                                 CTPoint step) {
    std::vector<AnimFrame> frames;
    frames.reserve(columns.size());
    for (int column : columns) {
        AnimFrame f;
        f.srcX = kFrameWidth * column;
        f.srcY = srcY;
        f.width = kFrameWidth;
        f.height = kFrameHeight;
        f.wait = wait;
        f.offset = step;
        frames.push_back(f);
    }
    return frames;
}

}  // namespace

PlayerChara::PlayerChara(int x, int y)
    : PlayerChara(x, y, ResourceManager::Instance().GetImage(L"heroine.bfg")) {}

PlayerChara::PlayerChara(int x, int y, int imageHandle) {
    position = CTPoint(x, y, 0);
    image = imageHandle;
    BuildAnimations();
    oneShot = {0, 0, 0, 0, 1, 1, 1};
}

void PlayerChara::BuildAnimations() {
    // Frame 0 of a walk is never stepped onto by Tick, so its movement is
    // never applied: eight moving frames of 4 pixels make one 32-pixel cell.
    const auto walk = {0, 0, 1, 2, 2, 0, 3, 4, 4};
    animations[MOTION_WALK_LEFT] = CutFrames(walk, 0, 1, CTPoint(-4, 0, 0));
    animations[MOTION_WALK_UP] = CutFrames(walk, 64, 1, CTPoint(0, -4, 0));
    animations[MOTION_WALK_RIGHT] = CutFrames(walk, 128, 1, CTPoint(4, 0, 0));
    animations[MOTION_WALK_DOWN] = CutFrames(walk, 192, 1, CTPoint(0, 4, 0));
    animations[MOTION_WARP_LEAVE] = CutFrames({4, 0, 1, 2, 3, 4}, 256, 2, CTPoint());
    animations[MOTION_WARP_ARRIVE] = CutFrames({0, 4, 3, 2, 1, 0}, 256, 2, CTPoint());
    animations[MOTION_CLEAR_POSE] = CutFrames({4, 0, 1, 2, 3, 4}, 320, 5, CTPoint());
}

const std::vector<AnimFrame>& PlayerChara::CurrentAnimation() const {
    static const std::vector<AnimFrame> kNone;
    if (motion < 0 || motion >= kAnimationSlots) return kNone;
    return animations[motion];
}

int PlayerChara::AcceptsInput(int bits) { return (bits & inputMask) == bits ? 1 : 0; }

int PlayerChara::GetImageHandle(int) { return image; }

void PlayerChara::StartAnimation(int n, int f) {
    if (n != motion && motion >= 0 && motion < kPlayerMotions) started[motion] = 0;
    frame = f;
    motion = n;
    animating = 1;
    if (n >= 0 && n < kPlayerMotions && oneShot[n]) started[n] = 1;
}

int PlayerChara::BeginStep(int pressed) {
    // A moving step or a one-shot animation runs to its end; only a walk on
    // the spot may be replaced.
    if (animating && stepKind != kStepBlocked) return 0;

    int next = -1;
    if (pressed & PAD_LEFT) {
        next = MOTION_WALK_LEFT;
    } else if (pressed & PAD_UP) {
        next = MOTION_WALK_UP;
    } else if (pressed & PAD_RIGHT) {
        next = MOTION_WALK_RIGHT;
    } else if (pressed & PAD_DOWN) {
        next = MOTION_WALK_DOWN;
    } else {
        return 0;
    }
    if (animating && next == motion) return 0;

    StartAnimation(next, 0);
    stepKind = kStepMoving;
    return pressed;
}

int PlayerChara::Tick(int rising, int) {
    if (rising == 1) position.y -= 2;
    if (!animating) return 0;
    if (wait > 0) {
        --wait;
        return 1;
    }

    const auto& frames = CurrentAnimation();
    ++frame;
    if (frame >= static_cast<int>(frames.size())) {
        animating = 0;
        frame = 0;
        return stepKind == kStepBlocked ? 0 : 3;
    }
    const AnimFrame& entered = frames[frame];
    if (stepKind != kStepBlocked) {
        position.x += entered.offset.x;
        position.y += entered.offset.y;
        position.z += entered.offset.z;
    }
    wait = entered.wait;
    return 2;
}

void PlayerChara::Draw() {
    const auto& frames = CurrentAnimation();
    if (frame < 0 || frame >= static_cast<int>(frames.size())) return;
    const AnimFrame& f = frames[frame];
    DrawImageRect(position.x, position.y - drawOffset - position.z, f.srcX, f.srcY, f.width,
                  f.height, image, 1, 0);
}
