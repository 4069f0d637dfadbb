// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_choice.h"

#include "resources/save_data.h"

uint8_t StageToPlay(const SaveData& progress) {
    switch (progress.mode) {
        case 1:
            return progress.continueStage;
        case 2:
            return progress.selectedStage;
        default:
            return 1;
    }
}
