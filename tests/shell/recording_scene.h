// SPDX-License-Identifier: GPL-3.0-or-later
// A scene for frame-loop tests: it records what the loop asks of it and
// follows a plan for the ids its Step returns.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "shell/scene_manager.h"

struct SceneJournal {
    std::vector<std::string> events;       // "build 1", "update 1", "draw 1", "delete 1"...
    std::vector<uint32_t> pressed;         // every Update's argument, in order
    std::vector<uint32_t> updateTimes;     // GetTimeMs at every Update
    std::vector<int> mediaAfterDelete;     // IsWindowActive in each destructor (-1 once the layer ended)
    int framesPresentedAtBuild = -1;       // of the most recently built scene

    int Count(const std::string& event) const {
        int n = 0;
        for (const auto& e : events) n += e == event;
        return n;
    }
};

// What a scene id builds: whether it reports success, and the id its n-th
// Step (from 0) returns.
struct ScenePlan {
    ScenePlan(bool builds, std::function<SceneId(int)> stepRule, std::function<void()> built = {})
        : buildsCorrectly(builds), step(std::move(stepRule)), onBuild(std::move(built)) {}

    bool buildsCorrectly;
    std::function<SceneId(int step)> step;
    std::function<void()> onBuild;  // e.g. draws into the back buffer
};

class RecordingScene final : public CSeen {
public:
    RecordingScene(SceneId id, const ScenePlan& plan, SceneJournal& journal)
        : id_(id), plan_(plan), journal_(journal) {
        nextId = plan.buildsCorrectly ? id : SceneEnd;
        journal_.events.push_back("build " + std::to_string(id_));
        journal_.framesPresentedAtBuild = headless::FramesPresented();
        if (plan.onBuild) plan.onBuild();
    }
    ~RecordingScene() override {
        journal_.events.push_back("delete " + std::to_string(id_));
        journal_.mediaAfterDelete.push_back(IsWindowActive());
    }
    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override {
        journal_.events.push_back("update " + std::to_string(id_));
        journal_.pressed.push_back(pressed);
        journal_.updateTimes.push_back(static_cast<uint32_t>(GetTimeMs()));
        return nextId;
    }
    SceneId Step(int32_t) override {
        if (plan_.step) nextId = plan_.step(steps_++);
        return nextId;
    }
    void Draw() override { journal_.events.push_back("draw " + std::to_string(id_)); }

private:
    SceneId id_;
    ScenePlan plan_;
    SceneJournal& journal_;
    int steps_ = 0;
};

// A scene table of recording scenes; ids without a plan build nothing.
inline SceneFactory RecordingTable(std::map<SceneId, ScenePlan> plans, SceneJournal& journal) {
    return [plans = std::move(plans), &journal](SceneId id) -> std::unique_ptr<CSeen> {
        auto it = plans.find(id);
        if (it == plans.end()) return nullptr;
        return std::make_unique<RecordingScene>(id, it->second, journal);
    };
}

// Step plan: stay on `id` for `frames` steps, then ask for `next`.
inline std::function<SceneId(int)> StayThen(SceneId id, int frames, SceneId next) {
    return [=](int step) { return step + 1 < frames ? id : next; };
}
