// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/play_advice.h"

#include <string>

#include "media/media.h"
#include "play/info_panel.h"

namespace {

constexpr int kCell = Board::kCellPixels;

std::string StepsText(int steps) { return std::to_string(steps) + (steps == 1 ? " step" : " steps"); }

}  // namespace

void PlayAdvice::SetStage(const StageData& stage) {
    stage_ = stage;
    plan_.reset();
}

void PlayAdvice::Start(std::size_t analysisBytes) {
    if (stage_ && !analysis_) analysis_ = std::make_unique<StageAnalysis>(*stage_, analysisBytes);
}

void PlayAdvice::AskHint() {
    hintWanted_ = true;
    if (verdict_ && verdict_->Live() && verdict_->next) {
        hintVisible_ = true;
        aided_ = true;
    }
}

void PlayAdvice::Follow(const RuleState& rules, BoardCell cell, const StepHistory& history) {
    const bool samePosition = judged_ && judged_->cell == cell && judged_->rules == rules;
    if (samePosition && verdict_ && fromAnalysis_) {
        if (hintWanted_ && !hintVisible_ && verdict_->Live() && verdict_->next) AskHint();
        return;
    }
    if (!samePosition) {
        judged_ = PlayPosition{rules, cell};
        verdict_.reset();
        search_.reset();
        hintVisible_ = false;
        hintWanted_ = false;
        undoSteps_ = -1;
    }
    const StageAdvisor* advisor = analysis_ ? analysis_->Ready() : nullptr;
    if (advisor && advisor->status() == StageAdvisor::Status::Ready) {
        search_.reset();
        Judge(*advisor, history);
    } else if (!verdict_) {
        // A stage too large for the whole graph may still be searched from
        // where the player stands.
        tooLarge_ = advisor != nullptr;
        JudgeBySearch(history);
    }
    if (hintWanted_ && !hintVisible_) AskHint();
}

void PlayAdvice::Judge(const StageAdvisor& advisor, const StepHistory& history) {
    fromAnalysis_ = true;
    verdict_ = advisor.Judge(judged_->rules, judged_->cell);
    if (verdict_->Lost()) undoSteps_ = advisor.StepsBackToLive(UndoLine(history));
}

void PlayAdvice::JudgeBySearch(const StepHistory& history) {
    if (!stage_ || !analysis_) return;
    fromAnalysis_ = false;
    if (!search_ && ContinuesPlan()) return;
    if (!search_) search_ = std::make_unique<PositionAnswer>(*stage_, UndoLine(history));
    verdict_ = search_->Verdict();
    if (!verdict_) return;
    undoSteps_ = search_->UndoSteps();
    if (verdict_->Live()) plan_ = SearchedPlan{*judged_, search_->Plan()};
}

// True (with the verdict set) when the judged position is the one the last
// searched plan's next step leads to.
bool PlayAdvice::ContinuesPlan() {
    if (!plan_ || plan_->rest.size() < 2) return false;
    RuleState rules = plan_->at.rules;
    RulePlayer player;
    player.cell = plan_->at.cell;
    PlayMove(rules, player, plan_->rest.front());
    const bool followed = player.cell == judged_->cell && rules.board == judged_->rules.board &&
                          rules.eraseMode == judged_->rules.eraseMode &&
                          rules.erasuresLeft == judged_->rules.erasuresLeft;
    if (!followed) return false;
    plan_->at = *judged_;
    plan_->rest.erase(plan_->rest.begin());
    verdict_ = PositionVerdict{PositionVerdict::Kind::Live, static_cast<int>(plan_->rest.size()), plan_->rest.front()};
    return true;
}

// The way back runs along the player's own undo history.
std::vector<PlayPosition> PlayAdvice::UndoLine(const StepHistory& history) const {
    std::vector<PlayPosition> line;
    line.reserve(history.Points().size() + 1);
    for (const PlayPoint& point : history.Points()) line.push_back(PlayPosition{point.rules, point.figure.cell});
    line.push_back(*judged_);
    return line;
}

void PlayAdvice::Draw(BoardCell figure, int stepsTaken, int par) const {
    if (verdict_ && verdict_->Lost()) {
        std::vector<std::string> lines{"No clear is possible from here."};
        if (undoSteps_ > 0) {
            lines.push_back("Undo " + StepsText(undoSteps_) + " (A), or C to retry.");
        } else {
            lines.push_back("Press C to play the stage again.");
        }
        DrawInfoPanel(lines, MakeColor(120, 24, 32));
        return;
    }
    if (!hintWanted_) return;
    if (hintVisible_ && verdict_ && verdict_->next) {
        DrawArrow(figure, *verdict_->next);
        const int finish = stepsTaken + verdict_->toClear;
        std::string parLine = par == 255 ? std::string{}
                              : finish <= par ? "Par " + std::to_string(par) + " is still within reach."
                                              : "Par " + std::to_string(par) + " is out of reach now.";
        DrawInfoPanel({StepsText(verdict_->toClear) + " to clear from here.", parLine}, MakeColor(24, 48, 112));
    } else if (tooLarge_) {
        DrawInfoPanel({"Too large to search within the memory bound."}, MakeColor(64, 64, 64));
    } else {
        DrawInfoPanel({"Thinking..."}, MakeColor(24, 48, 112));
    }
}

// A fat arrow in the cell the hinted step walks to.
void PlayAdvice::DrawArrow(BoardCell figure, StepDirection direction) const {
    const BoardCell target = StepTarget(figure, direction);
    const int cx = kCell * target.column + kCell / 2;
    // The figure's head rises into the cell above it: an arrow up goes higher.
    const int cy = kCell * target.row + kCell / 2 - (direction == StepDirection::Up ? 18 : 0);
    const int ink = MakeColor(255, 236, 96);
    const int edge = MakeColor(40, 24, 0);
    // The arrow points right in (along, across) units; turned per direction.
    auto box = [&](int a1, int c1, int a2, int c2, int colour) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        switch (direction) {
            case StepDirection::Right: x1 = cx + a1; x2 = cx + a2; y1 = cy + c1; y2 = cy + c2; break;
            case StepDirection::Left: x1 = cx - a2; x2 = cx - a1; y1 = cy + c1; y2 = cy + c2; break;
            case StepDirection::Down: y1 = cy + a1; y2 = cy + a2; x1 = cx + c1; x2 = cx + c2; break;
            case StepDirection::Up: y1 = cy - a2; y2 = cy - a1; x1 = cx + c1; x2 = cx + c2; break;
        }
        DrawBox(x1, y1, x2, y2, colour, 1);
    };
    box(-13, -5, 2, 5, edge);
    box(-12, -4, 2, 4, ink);
    // The head: columns of shrinking height.
    for (int a = 0; a < 12; ++a) {
        const int half = 11 - a;
        box(a, -half - 1, a + 1, half + 1, edge);
        if (half > 0) box(a, -half, a + 1, half, ink);
    }
}
