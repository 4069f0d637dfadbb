// SPDX-License-Identifier: GPL-3.0-or-later
// The scene in which one stage is played: loads the stage, turns input into
// steps, runs the tile rules when a move ends, counts steps, shows the
// counters, plays the clear sequence and records the best step count.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "play/clear_banner.h"
#include "play/erasures_label.h"
#include "play/play_advice.h"
#include "play/player_chara.h"
#include "play/step_history.h"
#include "play/tile_rules.h"
#include "play/undo_input.h"
#include "scenes/sub_draw.h"
#include "shell/seen.h"

class SaveData;

class CMapSeen : public CSeen {
public:
    // Frames of the clear fade: the opacity falls by 2 from 256 to 0.
    static constexpr int kFadeStart = 256;
    static constexpr int kFadeStep = 2;

    // Loads the stage named by the progress record; `playMusic` is false for
    // the selection screen's previews. A failed load leaves nextId 0.
    explicit CMapSeen(bool playMusic);
    ~CMapSeen() override;
    CMapSeen(const CMapSeen&) = delete;
    CMapSeen& operator=(const CMapSeen&) = delete;

    SceneId GetNextId(int32_t unused) override;
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t unused) override;
    void Draw() override;

    // A 640x480 picture of the stage as it stands, framed in white ("Nothing"
    // for a stage that failed to load). The caller owns the image.
    int RenderPreview();

    // Reads "Stage/stage<n>.map" into the board and creates the player on its
    // start cell; false (and an empty board) when the file is missing or bad.
    bool LoadStage(int stageNumber);
    // Runs the rule of the tile under the player and plays what it reports.
    void ApplyTileEffect();
    bool IsStageCleared(uint8_t goalCode) const;
    // A mark above the stage's mark limit: it never advances.
    bool IsFrozenMark(int column, int row) const;

    std::unique_ptr<PlayerChara> player;
    SaveData* progress = nullptr;  // not owned
    SubDraw numbers;
    int background = -1;
    int tiles = -1;
    int footstep = -1;
    int footstep2 = -1;
    int warp = -1;
    int brock = -1;
    int arrow = -1;
    int erase = -1;
    int undoSound = -1;  // "undo.wav", for undo and redo alike
    int music = -1;
    uint8_t musicPaused = 0;
    // Board, mark limit, erase mode, play state, the goal being cleared and
    // the step count: everything the tile rules change.
    RuleState rules;
    int playMode = 0;
    int fade = kFadeStart;
    uint8_t stage = 1;
    uint8_t best = 255;  // 255: no record yet
    uint8_t par = 255;
    // Where the clear leads once its fade ends; set when the clear is recorded.
    SceneId afterClear = SceneStageTitle;
    bool clearRecorded = false;  // the clear is saved; the fade may still run
    // What the clear achieved, and the banner that shows it over the fade.
    ClearResult clearResult;
    ClearBanner banner;
    // The label of the erasures-left counter.
    ErasuresLabel erasuresLabel;
    // The counted steps of this attempt, for the undo and redo buttons.
    StepHistory history;
    UndoInput undoInput;
    // The hint and the dead-end warning.
    PlayAdvice advice;
    // False while a kept solution is replayed: its clear is no player's.
    bool keepsRecords = true;
    // When set, every sound the scene plays is also appended here, in order
    // (replays and tests follow the sequencing through it).
    std::vector<RuleSound>* soundLog = nullptr;

private:
    void PlayRuleSounds(const RuleSounds& sounds) const;
    // Runs the undo and redo buttons; true when one moved the play this frame.
    bool FollowUndoInput(uint32_t pressed);
    FigureStance Stance() const;
    // Puts the rules and the figure back as they were at `point`, the figure
    // standing still.
    void Restore(const PlayPoint& point);
    void FollowMusicRule();
    // Judges the position for the hint and the warning once the figure stands.
    void FollowAdvice();
    // Stores the record, the stage to continue from and the moves of a best
    // clear, and saves them.
    void RecordClear();
    // C: the stage again from its title card, even after its clear is saved.
    void PlayAgain();
    // Leaves for the scene the clear leads to, once the fade has ended.
    void FinishClear();
    // Writes the attempt's moves to "solutions.txt" when they are the best.
    void KeepSolution();
    void DrawBoard() const;
    void DrawCounters();
    void DrawErasuresLeft();
    // An emptied cell under the figure shows as an empty socket, not as sky.
    void DrawErasedSockets() const;
    void DrawFrozenMarks() const;
};
