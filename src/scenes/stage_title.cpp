// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/stage_title.h"

#include "media/media.h"
#include "resources/resource_manager.h"
#include "play/stage_bytes.h"
#include "scenes/caption_text.h"
#include "play/stage_choice.h"
#include "resources/save_data.h"

namespace {

constexpr int kLabelX = 274;
constexpr int kDigitsX = 354;
constexpr int kTop = 228;
constexpr int kDigitWidth = 16;
constexpr int kDigitHeight = 24;
// The caption image spans the screen's width from the name's top to below
// the prompt; black like the card, so it needs no transparency.
constexpr int kCaptionWidth = 640;
constexpr int kCaptionHeight = StageTitle::kPromptY - StageTitle::kNameY + 24;
constexpr int kPromptFontSize = 14;

}  // namespace

StageTitle::StageTitle() : picture(ResourceManager::Instance().GetImage(L"stage_title.bfg")) {
    nextId = SceneStageTitle;
    if (const SaveData* progress = SaveData::Instance(0)) stage = StageToPlay(*progress);
    name = ReadStageName(stage);
    if (!name.empty()) ComposeCaption();
}

StageTitle::~StageTitle() {
    if (caption_ != -1) DeleteImage(caption_, 0);
}

void StageTitle::ComposeCaption() {
    caption_ = MakeScreenImage(kCaptionWidth, kCaptionHeight, 0);
    if (caption_ == -1 || SetDrawTarget(caption_) != 0) return;
    DrawBox(0, 0, kCaptionWidth, kCaptionHeight, MakeColor(0, 0, 0), 1);
    const int ink = MakeColor(28, 24, 48);
    DrawTextCentred(name.c_str(), kCaptionWidth / 2, 0, MakeColor(255, 246, 224), ink);
    {
        FontSizeScope small(kPromptFontSize);
        DrawTextCentred("Z  start", kCaptionWidth / 2, kPromptY - kNameY, MakeColor(200, 192, 224), ink);
    }
    SetDrawTarget(kBackBuffer);
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
    if (caption_ != -1) DrawImage(0, kNameY, caption_, 1);
}
