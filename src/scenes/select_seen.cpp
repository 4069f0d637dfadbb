// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/select_seen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "media/media.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "scenes/play_type.h"

SelectSeen::SelectSeen()
    : pageImage(MakeScreenImage(kScreenWidth, kScreenHeight, 0)),
      background(ResourceManager::Instance().GetImage(L"select_bg.bfg")),
      frames(ResourceManager::Instance().GetImage(L"select_frames.bfg")),
      icons(ResourceManager::Instance().GetImage(L"select_icons.bfg")),
      moveSound(ResourceManager::Instance().GetSound(L"move2.wav")),
      save(SaveData::Instance()) {
    nextId = SceneSelect;
    if (!save || save->stageCount == 0) {
        // Nothing to choose from: the switcher reports the failed scene.
        nextId = SceneEnd;
        return;
    }
    kept = KeptSolutions::Load();
    for (const std::string& problem : kept.Problems()) std::fprintf(stderr, "solutions.txt: %s\n", problem.c_str());
    stageCount = save->stageCount;
    lastPage = (stageCount - 1) / kCellsPerPage;
    // Start on the stage chosen last; one out of range starts on stage 1.
    const int selected = save->selectedStage >= 1 && save->selectedStage <= stageCount ? save->selectedStage : 1;
    page = (selected - 1) / kCellsPerPage;
    cursor = static_cast<uint8_t>((selected - 1) % kCellsPerPage);
    RenderPage();
}

SelectSeen::~SelectSeen() {
    DropPreview();
    DeleteImage(pageImage, 0);
}

bool SelectSeen::ClearedWithinPar(int stage) const {
    const uint8_t record = save->RecordOf(stage);
    return record != 0 && record <= save->ParOf(stage);
}

bool SelectSeen::ClearedOverPar(int stage) const {
    const uint8_t record = save->RecordOf(stage);
    return record != 0 && record > save->ParOf(stage);
}

int SelectSeen::LastCell() const {
    return std::min(stageCount - kCellsPerPage * page - 1, kCellsPerPage - 1);
}

uint8_t SelectSeen::StageUnderCursor() const {
    return static_cast<uint8_t>(kCellsPerPage * page + cursor + 1);
}

void SelectSeen::DrawCell(int cell) const {
    const int x = CellX(cell);
    const int y = CellY(cell);
    const int stage = kCellsPerPage * page + cell + 1;
    const int frame = ClearedWithinPar(stage) ? 0 : kCellSize;
    DrawImageRect(x, y, frame, 0, kCellSize, kCellSize, frames, 1, 0);
    // Added over the usual cell: a stage cleared over its par carries the
    // badge of the frame picture's fourth cell, so it differs from one never
    // cleared.
    if (ClearedOverPar(stage)) DrawImageRect(x, y, kOverParBadgeX, 0, kCellSize, kCellSize, frames, 1, 0);
    if (kept.AidedOnly(stage)) DrawAidedMark(x, y);
    subDraw.DrawNumber(stage, x + 24, y + 7, SubDraw::kCentre, 1.0);
}

// A small blue disc with a white ring in the cell's lower right corner,
// until the stage is cleared without help.
void SelectSeen::DrawAidedMark(int x, int y) const {
    const int white = MakeColor(255, 255, 255);
    const int blue = MakeColor(48, 112, 232);
    const int left = x + kCellSize - 17, top = y + kCellSize - 17;
    DrawBox(left + 3, top, left + 10, top + 13, white, 1);
    DrawBox(left, top + 3, left + 13, top + 10, white, 1);
    DrawBox(left + 1, top + 1, left + 12, top + 12, white, 1);
    DrawBox(left + 4, top + 2, left + 9, top + 11, blue, 1);
    DrawBox(left + 2, top + 4, left + 11, top + 9, blue, 1);
    DrawBox(left + 3, top + 3, left + 10, top + 10, blue, 1);
}

void SelectSeen::RenderPage() {
    DrawImage(0, 0, background, 1);
    const int cells = std::min(stageCount - kCellsPerPage * page, kCellsPerPage);
    SetBlendMode(1, 200);
    for (int i = 0; i < cells; ++i) DrawCell(i);
    SetBlendMode(0, 255);
    const int row = lastPage != 0 ? 32 : 0;
    DrawImageRect(8, 440, 0, row, 48, 32, icons, 1, 0);
    DrawImageRect(216, 440, 48, row, 48, 32, icons, 1, 0);
    CaptureScreen(0, 0, kScreenWidth, kScreenHeight, pageImage, 1);
    const Rect from{0, 32, 32, 64};
    const Rect to{0, 0, 32, 32};
    CopyImageRect(&from, &to, icons, pageImage);
}

void SelectSeen::FlipPage(int newPage) {
    page = newPage;
    coolDown = kPageCoolDown;
    cursor = 0;
    previewedCursor = kNoPreview;
    RenderPage();
}

// The steps are tested one after the other; several may act in one frame.
void SelectSeen::MoveCursor(uint32_t pressed) {
    if (pressed & PAD_BUTTON7) FlipPage(page == 0 ? lastPage : page - 1);
    if (pressed & PAD_BUTTON8) FlipPage(page == lastPage ? 0 : page + 1);
    const int m = LastCell();
    int c = cursor;
    if (pressed & PAD_UP) {
        PlaySound(moveSound, kPlayBackground, 1);
        if (c >= kColumns) {
            c -= kColumns;
        } else {
            c += kColumns * (m / kColumns);  // same column, last row
            if (c > m) c -= kColumns;
        }
        coolDown = kMoveCoolDown;
    }
    if (pressed & PAD_DOWN) {
        PlaySound(moveSound, kPlayBackground, 1);
        c = c + kColumns > m ? c % kColumns : c + kColumns;
        coolDown = kMoveCoolDown;
    }
    if (pressed & PAD_LEFT) {
        PlaySound(moveSound, kPlayBackground, 1);
        if (c % kColumns != 0) {
            c -= 1;
        } else {
            c = std::min(kColumns * (c / kColumns) + kColumns - 1, m);  // end of the row
        }
        coolDown = kMoveCoolDown;
    }
    if (pressed & PAD_RIGHT) {
        PlaySound(moveSound, kPlayBackground, 1);
        if (c % kColumns != kColumns - 1 && c + 1 <= m) {
            c += 1;
        } else {
            c = kColumns * (c / kColumns);  // start of the row
        }
        coolDown = kMoveCoolDown;
    }
    cursor = static_cast<uint8_t>(c);
}

SceneId SelectSeen::Update(uint32_t pressed) {
    if (!save) return nextId;
    if (pressed & PAD_BUTTON1) {
        PlaySoundFile("ok.wav", kPlayWaiting);
        // A confirm on the very first frame comes before the first preview:
        // build it now so the stage is judged the same way as later.
        if (!preview) RebuildPreview();
        if (preview->GetNextId(0) != SceneEnd) {
            save->selectedStage = StageUnderCursor();
            nextId = SceneStageTitle;
        }
        return nextId;
    }
    if ((pressed & kHintPadBit) && kept.Offered(StageUnderCursor())) {
        // Watch the best kept solution of the stage under the cursor.
        PlaySoundFile("ok.wav", kPlayWaiting);
        save->selectedStage = StageUnderCursor();
        save->mode = 2;
        nextId = SceneReplay;
        return nextId;
    }
    if (pressed & PAD_BUTTON2) {
        PlaySoundFile("cansel.wav", kPlayWaiting);
        nextId = SceneOpening;
        return nextId;
    }
    if (coolDown > 0) {
        --coolDown;
        return nextId;
    }
    MoveCursor(pressed);
    return nextId;
}

void SelectSeen::DropPreview() {
    preview.reset();
    if (previewImage != -1) DeleteImage(previewImage, 0);
    previewImage = -1;
}

void SelectSeen::RebuildPreview() {
    DropPreview();
    // The map scene finds its stage through the save data.
    save->selectedStage = StageUnderCursor();
    preview = std::make_unique<CMapSeen>(false);
    // The preview is drawn in the back buffer. Start it on black and leave
    // black behind: the page's transparent pixels must not show it full size.
    ClearScreen();
    previewImage = preview->RenderPreview();
    ClearScreen();
    previewedCursor = cursor;
}

SceneId SelectSeen::Step(int32_t) {
    music.ApplyMusicRule();
    if (save && previewedCursor != cursor) RebuildPreview();
    return nextId;
}

void SelectSeen::Draw() {
    DrawImage(0, 0, pageImage, 1);
    if (save) {
        DrawCell(cursor);
        DrawImageRect(CellX(cursor), CellY(cursor), 96, 0, kCellSize, kCellSize, frames, 1, 0);
    }
    SetDrawBrightness(252, 199, 199);
    subDraw.DrawPage(page, lastPage, 1.0);
    SetDrawBrightness(255, 255, 255);
    DrawImageStretched(286, 34, 606, 274, previewImage, 1);
}
