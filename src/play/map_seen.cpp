// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/map_seen.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "media/media.h"
#include "play/kept_solutions.h"
#include "play/stage_bytes.h"
#include "play/stage_choice.h"
#include "play/stage_file.h"
#include "play/stage_folder.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "resources/wide_name.h"
#include "scenes/play_type.h"
#include "scenes/scene_music.h"

namespace {

constexpr int kCell = Board::kCellPixels;
// The last row drawn is always empty; drawing it keeps the tile overlap rule
// (each 32x64 tile covers the cell below it) uniform.
constexpr int kLastDrawnRow = 12;
// The erasures left, under the step counter and clear of the board (y 64 on).
constexpr int kErasuresIconX = 580;
constexpr int kErasuresX = 608;
constexpr int kErasuresY = 42;
// The pause sign on a frozen mark, inside the mark's top face.
constexpr int kFrozenSignLeft = 19;
constexpr int kFrozenSignTop = 1;
constexpr int kFrozenSignSize = 12;

}  // namespace

CMapSeen::CMapSeen(bool playMusic) {
    nextId = SceneMap;
    progress = SaveData::Instance();
    if (progress) {
        playMode = progress->mode;
        stage = StageToPlay(*progress);
        const uint8_t record = progress->RecordOf(stage);
        best = record == 0 ? 255 : record;
    }
    rules.steps = 0;
    if (!LoadStage(stage)) nextId = SceneEnd;
    if (playMusic) {
        music = LoadMusic("stage1.mid");
        musicPaused = 1;  // starts in the first Step with the window active
    }
    ResourceManager& cache = ResourceManager::Instance();
    footstep = cache.GetSound(L"footstep.wav");
    footstep2 = cache.GetSound(L"footstep2.wav");
    warp = cache.GetSound(L"warp.wav");
    brock = cache.GetSound(L"brock.wav");
    arrow = cache.GetSound(L"arrow.wav");
    erase = cache.GetSound(L"erase.wav");
    undoSound = cache.GetSound(L"undo.wav", ResourceNeed::Optional);  // ours: undo is an addition
    rules.playState = kPlayStatePlaying;
    fade = kFadeStart;
    rules.clearedCell = BoardCell{0, 0};
    rules.eraseMode = false;
    rules.erasuresLeft = 0;
}

CMapSeen::~CMapSeen() {
    if (music != -1) {
        StopMusic(music);
        DeleteMusic(music);
    }
}

bool CMapSeen::LoadStage(int stageNumber) {
    rules.board.Clear();
    std::vector<uint8_t> bytes;
    if (!ReadStageBytes(PlayedStagePath(stageNumber), bytes)) return false;
    StageFileResult parsed = ParseStageFile(bytes);
    if (!parsed) {
        rules.board.Clear();
        return false;
    }
    const StageData& data = parsed.stage;
    width = data.widthPixels;
    height = data.heightPixels;
    par = data.par;
    rules.markLimit = data.markLimit;
    ResourceManager& cache = ResourceManager::Instance();
    background = cache.GetImage(Utf8ToWide(StagePicturePath(data.backgroundName)));
    // Whatever tile picture the file names, the board is drawn with this one.
    tiles = cache.GetImage(L"tails.bfg");
    rules.board = data.board;
    advice.SetStage(data);
    player = std::make_unique<PlayerChara>(kCell * data.start.column, kCell * data.start.row);
    return true;
}

SceneId CMapSeen::GetNextId(int32_t) { return nextId; }

SceneId CMapSeen::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON2) nextId = playMode == 2 ? SceneSelect : SceneOpening;
    if (pressed & PAD_BUTTON3) PlayAgain();
    if (rules.playState != kPlayStatePlaying || !player) return nextId;
    if (pressed & kHintPadBit) advice.AskHint();
    // An undo or redo takes the frame: no step starts in it.
    if (FollowUndoInput(pressed)) return nextId;

    const FigureStance stanceBefore = Stance();
    const int begun = player->BeginStep(static_cast<int>(pressed));
    const auto direction = FirstStepDirection(begun);
    if (!direction) return nextId;
    const RuleState rulesBefore = rules;
    const StepOutcome outcome =
        BeginMove(rules, BoardCell{player->CellX(), player->CellY()}, *direction);
    PlayRuleSounds(outcome.sounds);
    if (outcome.blocked) {
        player->stepKind = kStepBlocked;  // a walk on the spot is no step to undo
        return nextId;
    }
    history.Record(PlayPoint{rulesBefore, stanceBefore});
    return nextId;
}

bool CMapSeen::FollowUndoInput(uint32_t pressed) {
    if (!undoInput.Tracking() && !(pressed & (kUndoPadBit | kRedoPadBit))) return false;
    // The frame loop reports a button only on the frame it goes down; whether
    // it is still held is read here, and only while one may be.
    const uint32_t held =
        undoInput.Tracking() ? static_cast<uint32_t>(GetPadState(kPadWithKeyboard | 1)) : 0;
    const UndoAction action = undoInput.Next(pressed, held);
    // Walks, warps and the clear pose run to their end first.
    if (action == UndoAction::None || player->animating) return false;
    const PlayPoint current{rules, Stance()};
    const std::optional<PlayPoint> point =
        action == UndoAction::Undo ? history.Undo(current) : history.Redo(current);
    if (!point) return false;
    Restore(*point);
    RuleSounds sounds;
    sounds.Add(RuleSound::Undo);
    PlayRuleSounds(sounds);
    return true;
}

FigureStance CMapSeen::Stance() const {
    FigureStance stance;
    stance.cell = BoardCell{player->position.x / kCell, player->position.y / kCell};
    stance.motion = player->motion;
    stance.started = player->started;
    stance.stepKind = player->stepKind;
    return stance;
}

void CMapSeen::Restore(const PlayPoint& point) {
    rules = point.rules;
    const FigureStance& stance = point.figure;
    player->position = CTPoint(kCell * stance.cell.column, kCell * stance.cell.row, 0);
    player->motion = stance.motion;
    player->frame = 0;
    player->wait = 0;
    player->animating = 0;
    player->started = stance.started;
    player->stepKind = stance.stepKind;
}

SceneId CMapSeen::Step(int32_t) {
    FollowMusicRule();
    const int ticked = player ? player->Tick(rules.playState, 0) : 0;
    if (ticked == 3 && rules.playState == kPlayStatePlaying) ApplyTileEffect();
    FollowAdvice();
    if (rules.playState == kPlayStateClearing) {
        fade -= kFadeStep;
        if (fade == 0) FinishClear();
    }
    return nextId;
}

void CMapSeen::FollowAdvice() {
    if (!player || rules.playState != kPlayStatePlaying) return;
    advice.Start();  // a played scene only: previews never step
    if (player->animating) {
        advice.Moving();
    } else {
        advice.Follow(rules, BoardCell{player->CellX(), player->CellY()}, history);
    }
}

void CMapSeen::FollowMusicRule() {
    if (music == -1) return;
    ApplyMusicRule(music, musicPaused);
}

// Runs the moment the clear test passes on a goal, before the pose and the
// fade: leaving during them (X, C, Escape, a closed window) keeps the clear.
void CMapSeen::RecordClear() {
    clearResult = ClearResult{rules.steps, par, best > rules.steps};
    banner.Compose(clearResult, numbers);
    if (!keepsRecords) {
        afterClear = SceneSelect;
        return;
    }
    KeepSolution();
    clearRecorded = true;
    if (!progress) {
        afterClear = playMode == 2 ? SceneSelect : SceneStageTitle;
        return;
    }
    if (clearResult.newBest && stage >= 1 && stage <= progress->records.size()) {
        progress->records[stage - 1] = rules.steps;
    }
    if (playMode == 2) {
        afterClear = SceneSelect;
    } else {
        progress->mode = 1;
        const int next = stage + 1;
        if (next > progress->stageCount) {
            progress->continueStage = 1;
            afterClear = SceneEnding;
        } else {
            progress->continueStage = static_cast<uint8_t>(next);
            afterClear = SceneStageTitle;
        }
    }
    progress->Save();
}

void CMapSeen::PlayAgain() {
    nextId = SceneStageTitle;
    // A clear already saved names the next stage to continue from; playing
    // again means this stage, so the title card is pointed back at it for this
    // run (the saved progress keeps the clear).
    if (clearRecorded && progress && playMode != 2) progress->continueStage = static_cast<uint8_t>(stage);
}

void CMapSeen::FinishClear() { nextId = afterClear; }

void CMapSeen::ApplyTileEffect() {
    if (!player) return;
    PlayerPlace place;
    place.x = player->position.x;
    place.y = player->position.y;
    place.z = player->position.z;
    place.leaveStarted = player->started[MOTION_WARP_LEAVE] != 0;
    place.arriveStarted = player->started[MOTION_WARP_ARRIVE] != 0;
    place.clearPoseStarted = player->started[MOTION_CLEAR_POSE] != 0;
    const TileOutcome outcome = ::ApplyTileEffect(rules, place);
    PlayRuleSounds(outcome.sounds);
    if (outcome.startMotion == MOTION_CLEAR_POSE) RecordClear();
    if (outcome.moveTo) {
        player->position = CTPoint(kCell * outcome.moveTo->column, kCell * outcome.moveTo->row, 0);
    }
    if (outcome.startMotion >= 0) player->StartAnimation(outcome.startMotion, outcome.startFrame);
}

void CMapSeen::KeepSolution() {
    if (!keepsRecords || !progress) return;
    KeptSolutions kept = KeptSolutions::Load();
    if (kept.RecordClear(stage, MovesOfAttempt(history, PlayPoint{rules, Stance()}), advice.Aided())) kept.Save();
}

bool CMapSeen::IsStageCleared(uint8_t goalCode) const {
    return ::IsStageCleared(rules.board, goalCode);
}

void CMapSeen::PlayRuleSounds(const RuleSounds& sounds) const {
    for (RuleSound sound : sounds) {
        if (soundLog) soundLog->push_back(sound);
        int handle = -1;
        switch (sound) {
            case RuleSound::Footstep: handle = footstep; break;
            case RuleSound::Footstep2: handle = footstep2; break;
            case RuleSound::Warp: handle = warp; break;
            case RuleSound::Brock: handle = brock; break;
            case RuleSound::Arrow: handle = arrow; break;
            case RuleSound::Erase: handle = erase; break;
            case RuleSound::Undo: handle = undoSound; break;
            case RuleSound::Clear:
                PlaySoundFile("clear.wav", kPlayBackground);
                continue;
        }
        PlaySound(handle, kPlayBackground, 1);
    }
}

void CMapSeen::Draw() {
    const bool clearing = rules.playState == kPlayStateClearing;
    if (clearing) SetBlendMode(1, fade);  // everything fades out together
    DrawImage(0, 0, background, 1);
    DrawBoard();
    DrawFrozenMarks();
    DrawErasedSockets();
    if (player) {
        if (rules.eraseMode) SetBlendMode(1, 128);
        player->Draw();
        if (rules.eraseMode) SetBlendMode(0, 0);
    }
    DrawCounters();
    if (clearing) {
        SetBlendMode(0, 0);
        // The banner stays clear of the fade, beside the rising figure.
        if (player) banner.Draw(player->position.x, (kFadeStart - kFadeStep - fade) / kFadeStep);
    } else if (player) {
        advice.Draw(BoardCell{player->CellX(), player->CellY()}, rules.steps, par);
    }
}

void CMapSeen::DrawBoard() const {
    const bool clearing = rules.playState == kPlayStateClearing;
    for (int row = Board::kFirstPlayRow; row <= kLastDrawnRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            if (clearing && player && rules.clearedCell == BoardCell{column, row}) {
                // The cleared goal rises with the player.
                DrawImageRect(player->position.x, player->position.y,
                              kCell * (rules.clearedGoal - 1), 0, kCell, 2 * kCell, tiles, 1, 0);
                continue;
            }
            const int code = rules.board.At(column, row);
            if (code == CELL_EMPTY) continue;
            DrawImageRect(kCell * column, kCell * row, kCell * (code - 1), 0, kCell, 2 * kCell,
                          tiles, 1, 0);
        }
    }
}

void CMapSeen::DrawCounters() {
    numbers.DrawNumber(par, 420, 12, SubDraw::kLeft, 1.0);
    numbers.DrawNumber(best, 530, 12, SubDraw::kLeft, 1.0);
    numbers.DrawNumber(rules.steps, 608, 12, SubDraw::kLeft, 1.0);
    if (rules.eraseMode) DrawErasuresLeft();
}

// Added to the stage's drawing so the player can see the erase budget: the
// eraser's face, small, under the step counter, and the erasures left beside
// it, on a labelled plate.
void CMapSeen::DrawErasuresLeft() {
    erasuresLabel.Draw();
    DrawImageRectStretched(kErasuresIconX, kErasuresY - 4, kErasuresIconX + 24, kErasuresY + 20,
                           kCell * (CELL_ERASER - 1), 0, kCell, kCell, tiles, 1);
    numbers.DrawNumber(rules.erasuresLeft, kErasuresX, kErasuresY, SubDraw::kLeft, 1.0);
}

// Added to the stage's drawing: a mark erased under the figure leaves an
// empty socket (a rim round a dark hole) wherever the figure's footing
// overlaps it, so the figure never stands on sky.
void CMapSeen::DrawErasedSockets() const {
    if (!player || rules.playState != kPlayStatePlaying) return;
    const int rim = MakeColor(138, 122, 104);
    const int rimDark = MakeColor(88, 76, 64);
    const int hole = MakeColor(20, 16, 28);
    const int x = player->position.x, y = player->position.y;
    for (const int column : {x / kCell, (x + kCell - 1) / kCell}) {
        for (const int row : {y / kCell, (y + kCell - 1) / kCell}) {
            if (!Board::InPlayingArea(column, row) || rules.board.At(column, row) != CELL_EMPTY) continue;
            const int left = kCell * column, top = kCell * row;
            DrawBox(left + 1, top + 1, left + kCell - 1, top + kCell - 1, rim, 1);
            DrawBox(left + 1, top + 1, left + kCell - 1, top + kCell - 1, rimDark, 0);
            DrawBox(left + 4, top + 4, left + kCell - 4, top + kCell - 4, hole, 1);
            DrawBox(left + 4, top + kCell - 5, left + kCell - 4, top + kCell - 4, rimDark, 1);
        }
    }
}

// Added to the stage's drawing: a mark above the mark limit never changes, so
// it carries a small pause sign in its top-right corner.
void CMapSeen::DrawFrozenMarks() const {
    const int ink = MakeColor(28, 24, 48);
    const int cream = MakeColor(255, 246, 224);
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            if (!IsFrozenMark(column, row)) continue;
            const int x = kCell * column + kFrozenSignLeft, y = kCell * row + kFrozenSignTop;
            DrawBox(x, y, x + kFrozenSignSize, y + kFrozenSignSize, ink, 1);
            DrawBox(x + 3, y + 3, x + 5, y + kFrozenSignSize - 3, cream, 1);
            DrawBox(x + kFrozenSignSize - 5, y + 3, x + kFrozenSignSize - 3, y + kFrozenSignSize - 3, cream, 1);
        }
    }
}

bool CMapSeen::IsFrozenMark(int column, int row) const {
    return ::IsFrozenMark(rules.board.At(column, row), rules.markLimit);
}

int CMapSeen::RenderPreview() {
    const int white = MakeColor(255, 255, 255);
    if (nextId != SceneEnd) {
        Draw();
        DrawBox(1, 1, 639, 479, white, 0);
        DrawBox(0, 0, 640, 480, white, 0);
    } else {
        DrawText(280, 230, "Nothing", white, 0);
    }
    const int image = MakeScreenImage(kScreenWidth, kScreenHeight, 0);
    if (image == -1) return -1;
    CaptureScreen(0, 0, kScreenWidth, kScreenHeight, image, 1);
    return image;
}
