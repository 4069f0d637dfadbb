// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/opening.h"

#include "media/media.h"
#include "resources/resource_manager.h"

Opening::Opening() : logo(ResourceManager::Instance().GetImage(L"logo.bfg")) { nextId = SceneOpening; }

SceneId Opening::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON1) nextId = SceneTitle;
    return nextId;
}

SceneId Opening::Step(int32_t) {
    alpha += alphaStep;
    if (alpha == 255) alphaStep = -kFadeStep;
    if (alpha == 0) nextId = SceneTitle;
    return nextId;
}

void Opening::Draw() {
    DrawBox(0, 0, kScreenWidth, kScreenHeight, MakeColor(255, 255, 255), 1);
    SetBlendMode(1, alpha);
    DrawImage(240, 192, logo, 1);
    SetBlendMode(0, 0);
}
