// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenes/replay_seen.h"

#include <string>

#include "media/media.h"
#include "play/info_panel.h"
#include "play/kept_solutions.h"
#include "resources/save_data.h"

ReplaySeen::ReplaySeen() {
    nextId = SceneReplay;
    SaveData* save = SaveData::Instance();
    const KeptSolutions kept = KeptSolutions::Load();
    const SolutionLine* line = save ? kept.Offered(save->selectedStage) : nullptr;
    if (!line) {
        nextId = SceneSelect;  // nothing to watch: straight back
        return;
    }
    moves_ = MovesFromText(line->moves);
    const StageFileResult parsed = ParseStageFile(ReadStageFileBytes(line->stage));
    if (parsed) stage_ = parsed.stage;
    save->mode = 2;  // the map scene plays the selected stage
    map_ = std::make_unique<CMapSeen>(true);
    map_->keepsRecords = false;
    if (map_->GetNextId(0) == SceneEnd) nextId = SceneSelect;
}

SceneId ReplaySeen::Update(uint32_t pressed) {
    if (pressed & PAD_BUTTON2) nextId = SceneSelect;
    if (pressed & PAD_BUTTON1) paused_ = !paused_;
    if ((pressed & PAD_BUTTON3) && paused_) stepOnce_ = true;
    if (pressed & PAD_BUTTON8) speed_ = speed_ >= kMaxSpeed ? 1 : speed_ * 2;
    return nextId;
}

SceneId ReplaySeen::Step(int32_t) {
    if (!map_ || nextId != SceneReplay) return nextId;
    // Faster playback runs the map scene's frames several times a frame;
    // paused, the figure still finishes the step it is walking.
    const int frames = paused_ ? 1 : speed_;
    for (int i = 0; i < frames && nextId == SceneReplay; ++i) {
        Advance(!paused_ || stepOnce_);
        if (map_->player && map_->player->animating) stepOnce_ = false;
    }
    FindCostlyStep();
    return nextId;
}

void ReplaySeen::Advance(bool mayStartMove) {
    uint32_t pressed = 0;
    const std::size_t next = map_->rules.steps;
    const bool standing = map_->player && !map_->player->animating && map_->rules.playState == kPlayStatePlaying;
    if (mayStartMove && standing && next < moves_.size()) pressed = static_cast<uint32_t>(StepPadBit(moves_[next]));
    map_->Update(pressed);
    const SceneId after = map_->Step(0);
    if (after != SceneMap) nextId = SceneSelect;  // the clear's fade has ended
}

void ReplaySeen::FindCostlyStep() {
    if (costlyStep_ >= 0 || !stage_) return;
    const StageAnalysis* analysis = map_->advice.Analysis();
    const StageAdvisor* advisor = analysis ? analysis->Ready() : nullptr;
    if (advisor && advisor->status() == StageAdvisor::Status::Ready) costlyStep_ = advisor->FirstCostlyStep(*stage_, moves_);
}

void ReplaySeen::Draw() {
    if (!map_) return;
    map_->Draw();
    if (map_->rules.playState != kPlayStatePlaying) return;
    DrawCostlyMark();
    const int played = MovesPlayed();
    std::string state = "Replay: step " + std::to_string(played) + " of " + std::to_string(moves_.size()) + ", " +
                        std::to_string(speed_) + "x" + (paused_ ? ", paused" : "");
    std::string costly;
    if (costlyStep_ == 0) {
        costly = "Every step is optimal.";
    } else if (costlyStep_ > 0) {
        costly = "Step " + std::to_string(costlyStep_) + " lost ground" + (played == costlyStep_ ? " (framed)." : ".");
    }
    DrawInfoPanel({state, costly, "Z pause  C step  W faster  X back"}, MakeColor(32, 72, 48));
}

// A red frame round the figure from the costly step until the next one.
void ReplaySeen::DrawCostlyMark() const {
    if (costlyStep_ <= 0 || MovesPlayed() != costlyStep_ || !map_->player) return;
    const int x = map_->player->position.x, y = map_->player->position.y;
    const int red = MakeColor(232, 40, 40);
    DrawBox(x - 2, y - 34, x + 34, y + 34, red, 0);
    DrawBox(x - 1, y - 33, x + 33, y + 33, red, 0);
}
