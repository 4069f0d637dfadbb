// SPDX-License-Identifier: GPL-3.0-or-later
// Watching the best kept solution of a stage again: the selection screen's
// hint button opens it for the stage under the cursor. The moves play in a
// map scene of their own (nothing is recorded), with pause (Z), single step
// (C, while paused), faster playback (W: 1x, 2x, 4x) and back (X). The first
// step after which the line could no longer clear in the optimum is marked
// when the replay reaches it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "play/map_seen.h"
#include "play/stage_file.h"
#include "shell/seen.h"

class ReplaySeen : public CSeen {
public:
    static constexpr int kMaxSpeed = 4;

    ReplaySeen();
    ~ReplaySeen() override = default;

    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override;
    SceneId Step(int32_t) override;
    void Draw() override;

    // The first costly step (from 1), 0 when every step is optimal, -1 while
    // the stage is still being analysed or cannot be judged.
    int CostlyStep() const { return costlyStep_; }
    int MovesPlayed() const { return map_ ? map_->rules.steps : 0; }
    int MoveCount() const { return static_cast<int>(moves_.size()); }
    bool Paused() const { return paused_; }
    int Speed() const { return speed_; }
    CMapSeen* Map() const { return map_.get(); }

private:
    // One frame of the map scene, feeding it the next move when it stands.
    void Advance(bool mayStartMove);
    void FindCostlyStep();
    void DrawCostlyMark() const;

    std::unique_ptr<CMapSeen> map_;
    std::vector<StepDirection> moves_;
    std::optional<StageData> stage_;
    int costlyStep_ = -1;
    bool paused_ = false;
    bool stepOnce_ = false;
    int speed_ = 1;
};
