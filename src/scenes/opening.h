// SPDX-License-Identifier: GPL-3.0-or-later
// The first screen: a logo fading in and out on white, then the title. The
// first button cuts it short.
#pragma once

#include <cstdint>

#include "shell/seen.h"

class Opening : public CSeen {
public:
    Opening();

    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t) override;
    void Draw() override;

    static constexpr int kFadeStep = 5;

    int32_t logo = -1;                 // owned by the resource manager
    int32_t alpha = 0;                 // logo opacity 0..255
    int32_t alphaStep = kFadeStep;     // turns negative at the peak
};
