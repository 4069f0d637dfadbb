// SPDX-License-Identifier: GPL-3.0-or-later
// The solver at the player's side during a stage: the hint (key H, pad
// button 6) and the dead-end warning. The stage's analysis runs on a worker
// thread; each frame in which the figure stands still the current position
// is judged from it (a table look-up, never a search), so a frame never
// waits. Until the analysis is built, a second worker searches from the
// position itself; its answers are as exact, and come sooner on large
// stages. Everything here is drawn with boxes and text over the board.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "play/position_answer.h"
#include "play/stage_analysis.h"
#include "play/step_history.h"

// The hint button: button 6 (key H; the media layer also maps D to it).
constexpr std::uint32_t kHintPadBit = 0x200;

class PlayAdvice {
public:
    // Keeps the stage to analyse; the analysis starts with Start().
    void SetStage(const StageData& stage);
    // Starts the analysis (once) within `analysisBytes`. Previews never call it.
    void Start(std::size_t analysisBytes = StageAdvisor::kDefaultMemoryBytes);
    // The hint button went down.
    void AskHint();
    // Called once a frame while play runs and the figure stands still:
    // judges the position when it differs from the one judged last. The
    // undo history gives the way back for the warning.
    void Follow(const RuleState& rules, BoardCell cell, const StepHistory& history);
    // The figure is moving: what was shown belongs to the last position.
    void Moving() { hintVisible_ = false; }
    // Draws the hint arrow beside the figure's cell and the panel.
    void Draw(BoardCell figure, int stepsTaken, int par) const;

    // A hint was shown during this attempt: its clear is an aided one.
    bool Aided() const { return aided_; }
    // The verdict on the position judged last (empty until one is known).
    const std::optional<PositionVerdict>& Verdict() const { return verdict_; }
    // Steps to undo back to a position with a clear; meaningful when lost.
    int UndoSteps() const { return undoSteps_; }
    bool HintVisible() const { return hintVisible_; }
    bool HintPending() const { return hintWanted_ && !hintVisible_; }
    // Blocks until the analysis is built: tests drive frames with it.
    void WaitForAnalysis() {
        if (analysis_) analysis_->WaitUntilReady();
    }
    const StageAnalysis* Analysis() const { return analysis_.get(); }

private:
    void Judge(const StageAdvisor& advisor, const StepHistory& history);
    void JudgeBySearch(const StepHistory& history);
    bool ContinuesPlan();
    std::vector<PlayPosition> UndoLine(const StepHistory& history) const;
    void DrawArrow(BoardCell figure, StepDirection direction) const;

    std::optional<StageData> stage_;
    std::unique_ptr<StageAnalysis> analysis_;
    std::unique_ptr<PositionAnswer> search_;  // for the judged position, until the analysis is ready
    std::optional<PlayPosition> judged_;  // the position the verdict is about
    std::optional<PositionVerdict> verdict_;
    bool fromAnalysis_ = false;  // else from search_, until the analysis has it
    // The optimal plan a search found, from the position it is now at: a
    // player following it needs no new search (the rest of an optimal plan
    // that is first in step order is the same from each of its positions).
    struct SearchedPlan {
        PlayPosition at;
        std::vector<StepDirection> rest;
    };
    std::optional<SearchedPlan> plan_;
    bool tooLarge_ = false;
    int undoSteps_ = -1;
    bool hintWanted_ = false;   // asked for the current position
    bool hintVisible_ = false;  // a hint for the current position is shown
    bool aided_ = false;
};
