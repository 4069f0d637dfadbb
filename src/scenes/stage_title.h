// The title card shown before every stage: the label and the stage number
// on black, until the first button goes down.
#pragma once

#include <cstdint>

#include "shell/seen.h"

class StageTitle : public CSeen {
public:
    StageTitle();
    ~StageTitle() override = default;

    int GetNextId(int unused) override;
    int Update(uint32_t pressed) override;
    int Step(int unused) override;
    void Draw() override;

    int picture = -1;  // "stage_title.bfg": label at (0, 0), digit d at (16d, 24)
    uint8_t stage = 1;
};
