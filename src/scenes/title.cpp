// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/title.h"

#include "media/media.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "scenes/play_type.h"

// Pictures first, then the sound; the music member is built last.
Title::Title()
    : background(ResourceManager::Instance().GetImage(L"title_bg.bfg")),
      menu(ResourceManager::Instance().GetImage(L"title_menu.bfg")),
      moveSound(ResourceManager::Instance().GetSound(L"move1.wav")) {
    nextId = SceneTitle;
}

SceneId Title::Choose(int item) {
    SaveData* save = SaveData::Instance();
    switch (item) {
        case 0:
        case 1:
            if (save) save->mode = item;
            return SceneStageTitle;
        case 2:
            if (save) save->mode = 2;
            return SceneSelect;
        default:
            return SceneEnd;
    }
}

SceneId Title::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON1) {
        // The game stands still until the confirm sound has played.
        PlaySoundFile("ok.wav", kPlayWaiting);
        nextId = Choose(cursor);
        return nextId;
    }
    if (coolDown > 0) {
        --coolDown;
        return nextId;
    }
    if (pressed & PAD_UP) {
        PlaySound(moveSound, kPlayBackground, 1);
        cursor = cursor == 0 ? kItemCount - 1 : cursor - 1;
        coolDown = kCoolDown;
    }
    if (pressed & PAD_DOWN) {
        PlaySound(moveSound, kPlayBackground, 1);
        cursor = cursor == kItemCount - 1 ? 0 : cursor + 1;
        coolDown = kCoolDown;
    }
    return nextId;
}

SceneId Title::Step(int32_t) {
    music.ApplyMusicRule();
    return nextId;
}

void Title::Draw() {
    DrawImage(0, 0, background, 1);
    for (int i = 0; i < kItemCount; ++i) {
        const bool dimmed = i != cursor;
        if (dimmed) SetBlendMode(1, 128);
        DrawImageRect(272, 352 + 24 * i, 0, 16 * i, 96, 16, menu, 1, 0);
        if (dimmed) SetBlendMode(0, 255);
    }
}
