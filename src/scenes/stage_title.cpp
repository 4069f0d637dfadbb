#include "scenes/stage_title.h"

#include "media/media.h"
#include "resources/resource_manager.h"
#include "play/stage_choice.h"
#include "resources/save_data.h"

namespace {

constexpr int kLabelX = 274;
constexpr int kDigitsX = 354;
constexpr int kTop = 228;
constexpr int kDigitWidth = 16;
constexpr int kDigitHeight = 24;

}  // namespace

StageTitle::StageTitle() : picture(ResourceManager::Instance().GetImage(L"stage_title.bfg")) {
    nextId = SceneStageTitle;
    if (const SaveData* progress = SaveData::Instance(0)) stage = StageToPlay(*progress);
}

int StageTitle::GetNextId(int) { return nextId; }

int StageTitle::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON1) nextId = SceneMap;
    return nextId;
}

int StageTitle::Step(int unused) { return GetNextId(unused); }

void StageTitle::Draw() {
    DrawImageRect(kLabelX, kTop, 0, 0, 64, 24, picture, 1, 0);
    const int hundreds = stage / 100;
    const int tens = stage / 10 % 10;
    const int ones = stage % 10;
    int x = kDigitsX;
    auto digit = [&](int d) {
        DrawImageRect(x, kTop, kDigitWidth * d, kDigitHeight, kDigitWidth, kDigitHeight, picture, 1, 0);
        x += kDigitWidth;
    };
    if (stage >= 100) digit(hundreds);
    if (stage >= 10) digit(tens);
    digit(ones);
}
