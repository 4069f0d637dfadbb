// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/ending.h"

#include "media/media.h"
#include "resources/resource_manager.h"

namespace {
// Degrees to radians, as the single-precision value of pi/180 the logo's turn
// has always used.
constexpr double kRadiansPerDegree = 0.01745329238474369;
}  // namespace

Ending::Ending()
    : titlePicture(ResourceManager::Instance().LoadImageFile(L"ending_title.bfg")),
      logoPicture(ResourceManager::Instance().LoadImageFile(L"ending_logo.bfg")),
      rollPicture(ResourceManager::Instance().LoadImageFile(L"staffroll.bfg")) {
    nextId = SceneEnding;
}

Ending::~Ending() {
    DeleteImage(titlePicture, 0);
    DeleteImage(logoPicture, 0);
    DeleteImage(rollPicture, 0);
}

SceneId Ending::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON1) nextId = SceneOpening;
    return nextId;
}

SceneId Ending::Step(int32_t) {
    music.ApplyMusicRule();
    if (frame != kLastFrame) ++frame;
    if (frame > kLogoStart && frame != kLastFrame) {
        logoAngle += 18;
        logoScale += 0.05;
    }
    return nextId;
}

void Ending::Draw() {
    const int t = frame;
    if (t < 286) {
        if (t > 32) SetBlendMode(1, 287 - t);
        DrawImage(60, 208, titlePicture, 1);
        SetBlendMode(0, 0);
    }
    if (t > 82 && t < 1134) DrawImage(230, 766 - t, rollPicture, 1);
    if (t > kLogoStart) {
        DrawImageRotated(320, 240, logoScale, logoAngle * kRadiansPerDegree, logoPicture, 1, 0);
    }
}
