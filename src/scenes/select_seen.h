// SPDX-License-Identifier: GPL-3.0-or-later
// The stage-selection screen: 45 numbered cells a page (5 columns, 9 rows),
// each marked when its stage was cleared within par, a cursor, page flips,
// and a live half-size preview of the stage under the cursor drawn by a real
// map scene. Confirm goes to the stage's title card, cancel to the opening.
#pragma once

#include <cstdint>
#include <memory>

#include "play/kept_solutions.h"
#include "play/map_seen.h"
#include "scenes/scene_music.h"
#include "scenes/sub_draw.h"
#include "shell/seen.h"

class SaveData;

class SelectSeen : public CSeen {
public:
    SelectSeen();
    ~SelectSeen() override;
    SelectSeen(const SelectSeen&) = delete;
    SelectSeen& operator=(const SelectSeen&) = delete;

    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t) override;
    void Draw() override;

    static constexpr int kCellsPerPage = 45;
    static constexpr int kColumns = 5;
    static constexpr int kCellSize = 48;
    // "select_frames.bfg" beyond its three frames: the badge of a stage
    // cleared over par, drawn over the frame of "any other stage".
    static constexpr int kOverParBadgeX = 144;
    static constexpr int kPageCoolDown = 10;
    static constexpr int kMoveCoolDown = 5;
    static constexpr uint8_t kNoPreview = 0xFF;

    // Top-left corner of cell i (0..44) of a page.
    static int CellX(int cell) { return 16 + kCellSize * (cell % kColumns); }
    static int CellY(int cell) { return 32 + kCellSize * (cell / kColumns); }

    // Members in construction order: the number glyphs first, the preview last.
    SubDraw subDraw;
    int32_t pageImage = -1;   // the rendered page; owned
    int32_t background = -1;  // owned by the resource manager, as are the next three
    int32_t frames = -1;      // cleared, other, cursor: 48x48 each side by side
    int32_t icons = -1;       // page arrows, 48x32; row 32 for several pages
    int32_t moveSound = -1;
    SceneMusic music{"select.mid"};
    SaveData* save = nullptr;  // not owned
    uint8_t stageCount = 0;
    int32_t lastPage = 0;
    int32_t page = 0;
    uint8_t cursor = 0;        // cell on the page, 0..44
    int32_t coolDown = 0;      // frames before the cursor or the page may move
    std::unique_ptr<CMapSeen> preview;  // built without music, never current
    int32_t previewImage = -1;          // -1 while there is none; owned
    uint8_t previewedCursor = kNoPreview;
    // The best clears kept in "solutions.txt": which stages were cleared
    // only with help, and which solutions may be watched again.
    KeptSolutions kept;

private:
    // Draws the background, the cells and the arrows into the back buffer and
    // keeps the result in pageImage.
    void RenderPage();
    // Draws cell i's frame and number at full opacity as the blend mode allows.
    void DrawCell(int cell) const;
    bool ClearedWithinPar(int stage) const;
    // Cleared, but in more steps than the par.
    bool ClearedOverPar(int stage) const;
    // Highest cell index on the current page.
    int LastCell() const;
    void MoveCursor(uint32_t pressed);
    void FlipPage(int newPage);
    // Builds the map scene and the picture for the cell under the cursor.
    void RebuildPreview();
    void DropPreview();
    // The mark of a stage cleared only with the hint's help.
    void DrawAidedMark(int x, int y) const;
    // Stage number (from 1) of the cell under the cursor, in the save data's byte.
    uint8_t StageUnderCursor() const;
};
