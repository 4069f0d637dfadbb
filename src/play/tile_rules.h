// SPDX-License-Identifier: GPL-3.0-or-later
// Every rule of the puzzle, in one place: what a step does, what each tile
// does when the player ends a move on it, the erase mode and the clear test.
//
// The rules change only the board and the small RuleState below. They play
// no sound, start no animation and move nobody themselves: each call reports
// what happened, and the map scene sequences the sounds and animations. The
// game, the solver and the tests all run this same code.
//
// Life of one step, as the map scene drives it:
//   1. input picks a direction; BeginMove() says whether the step is blocked
//      (target empty: the figure walks on the spot, nothing counts), runs the
//      erase rule and counts the step;
//   2. the figure walks one cell (17 frames);
//   3. ApplyTileEffect() runs on the new cell. When it starts a one-shot
//      animation (warp leave, warp arrive, clear pose), ApplyTileEffect() runs
//      again when that animation ends, until it starts none.
// PlayMove() runs that whole cycle without frames, for the solver and tests.
#pragma once

#include "play/board.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Sounds the rules ask for; the scene maps them to its loaded sound handles.
enum class RuleSound : std::uint8_t {
    Footstep,   // "footstep.wav": every accepted step, blocked or not
    Footstep2,  // "footstep2.wav": a mark erased
    Warp,       // "warp.wav"
    Brock,      // "brock.wav": a mark advanced by stepping on it
    Arrow,      // "arrow.wav": arrows and bursts
    Erase,      // "erase.wav": the erase mode begins
    Clear,      // "clear.wav": the clear test passed on a goal
    Undo,       // "undo.wav": a step undone or redone (the scene's own, no rule asks for it)
};

// The player's animation numbers the rules refer to.
enum PlayerMotion : int {
    MOTION_WALK_LEFT = 0,
    MOTION_WALK_UP = 1,
    MOTION_WALK_RIGHT = 2,
    MOTION_WALK_DOWN = 3,
    MOTION_WARP_LEAVE = 4,
    MOTION_WARP_ARRIVE = 5,
    MOTION_CLEAR_POSE = 6,
};

enum class StepDirection : std::uint8_t { Left, Up, Right, Down };

// Pad bits of the four directions (the same values as the media layer's).
constexpr int kStepPadDown = 0x1;
constexpr int kStepPadLeft = 0x2;
constexpr int kStepPadRight = 0x4;
constexpr int kStepPadUp = 0x8;

// The first direction among pad bits, in the order left, up, right, down.
std::optional<StepDirection> FirstStepDirection(int padBits);
// The pad bit of a direction.
int StepPadBit(StepDirection direction);
// The walk motion of a direction.
int WalkMotion(StepDirection direction);
// The neighbouring cell in a direction.
BoardCell StepTarget(BoardCell from, StepDirection direction);

// Play state of the map scene.
constexpr int kPlayStatePlaying = 0;
constexpr int kPlayStateClearing = 1;
// Erasures granted by the eraser tile.
constexpr int kEraserErasures = 5;
// The step counter stops here.
constexpr std::uint8_t kMaxStepCount = 255;

// The state the rules change. It starts fresh with each attempt at a stage.
struct RuleState {
    Board board;
    std::uint8_t markLimit = 2;
    bool eraseMode = false;
    int erasuresLeft = 0;
    int playState = kPlayStatePlaying;
    std::uint8_t clearedGoal = 0;  // goal code being cleared
    BoardCell clearedCell;         // where that goal stood
    std::uint8_t steps = 0;        // counted steps, stops at 255

    bool operator==(const RuleState&) const = default;
};

// What the rules need to know about the player: its pixel position and the
// started flags of its one-shot motions.
struct PlayerPlace {
    int x = 0;
    int y = 0;
    int z = 0;
    bool leaveStarted = false;      // motion 4
    bool arriveStarted = false;     // motion 5
    bool clearPoseStarted = false;  // motion 6
    BoardCell Cell() const { return {x / Board::kCellPixels, y / Board::kCellPixels}; }
};

// Sounds of one call, in the order to play them.
class RuleSounds {
public:
    void Add(RuleSound sound) {
        if (count_ < sounds_.size()) sounds_[count_++] = sound;
    }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    RuleSound operator[](std::size_t i) const { return sounds_[i]; }
    const RuleSound* begin() const { return sounds_.data(); }
    const RuleSound* end() const { return sounds_.data() + count_; }

private:
    std::array<RuleSound, 2> sounds_{};
    std::size_t count_ = 0;
};

// What starting a step did.
struct StepOutcome {
    RuleSounds sounds;     // footstep, then footstep2 when a mark was erased
    bool blocked = false;  // target empty: walk on the spot, not counted, no tile effect
    bool erased = false;   // the target mark was emptied by the erase mode
};

// What a tile did when the player ended a move on it.
struct TileOutcome {
    RuleSounds sounds;
    int startMotion = -1;              // one-shot motion to start, -1 none
    int startFrame = 0;                // frame to start it at
    std::optional<BoardCell> moveTo;   // put the player on this cell's corner, z = 0
    bool clearBegun = false;           // the play state is now clearing
};

// Advancing a mark of value v with limit L: L wraps to 1, below L counts up,
// above L (possible in a stage file) stays.
std::uint8_t AdvancedMark(std::uint8_t value, std::uint8_t markLimit);

// A mark above the stage's mark limit: nothing ever advances it.
constexpr bool IsFrozenMark(std::uint8_t code, std::uint8_t markLimit) { return IsMark(code) && code > markLimit; }

// Starts a step from the player's cell in a direction (after the figure has
// accepted it): the blocked test, the erase rule, the step count.
StepOutcome BeginMove(RuleState& state, BoardCell from, StepDirection direction);

// The effect of the tile under the player, run when a move or a one-shot
// animation after a move has ended.
TileOutcome ApplyTileEffect(RuleState& state, const PlayerPlace& player);

// True when no mark in the playing area differs from the goal's value.
bool IsStageCleared(const Board& board, std::uint8_t goalCode);

// The first cell in search order (rows top to bottom, columns left to right)
// holding the warp code that is not the player's own place.
std::optional<BoardCell> FindWarpPartner(const Board& board, std::uint8_t warpCode, const PlayerPlace& player);

// A stand-in for the player's figure without frames: its cell, current
// motion and the started flags of the one-shot motions, kept exactly as the
// figure keeps them.
struct RulePlayer {
    BoardCell cell;
    int motion = MOTION_WALK_LEFT;
    std::array<bool, 7> started{};

    // Switches motion as the figure's StartAnimation does.
    void StartMotion(int newMotion);
    PlayerPlace Place() const;
};

// What a whole step did.
struct MoveOutcome {
    bool blocked = false;
    bool counted = false;
    bool cleared = false;  // the stage clear began
    bool warped = false;
};

// Plays one whole step: BeginMove, the walk, and ApplyTileEffect after the
// walk and after every one-shot animation it starts. Appends every sound in
// order to `sounds` when given. Does nothing once the stage is clearing.
MoveOutcome PlayMove(RuleState& state, RulePlayer& player, StepDirection direction,
                     std::vector<RuleSound>* sounds = nullptr);

// A fresh rule state and player for a loaded stage.
struct StageData;
RuleState StartingRuleState(const StageData& stage);
RulePlayer StartingPlayer(const StageData& stage);
