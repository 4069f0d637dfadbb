// SPDX-License-Identifier: GPL-3.0-or-later
// The title card shown before every stage: the label and the stage number
// on black, until the first button goes down. A stage whose file carries a
// name shows it under the number, with a small prompt for the button.
#pragma once

#include <cstdint>
#include <string>

#include "shell/seen.h"

class StageTitle : public CSeen {
public:
    // Where the name and the prompt lie, under "STAGE n".
    static constexpr int kNameY = 266;
    static constexpr int kPromptY = 312;

    StageTitle();
    ~StageTitle() override;
    StageTitle(const StageTitle&) = delete;
    StageTitle& operator=(const StageTitle&) = delete;

    int GetNextId(int unused) override;
    int Update(uint32_t pressed) override;
    int Step(int unused) override;
    void Draw() override;

    int picture = -1;  // "stage_title.bfg": label at (0, 0), digit d at (16d, 24)
    uint8_t stage = 1;
    std::string name;  // from the stage file; empty when it has none

private:
    // The name and the prompt, drawn once into an image of the card's own.
    void ComposeCaption();
    int caption_ = -1;
};
