// SPDX-License-Identifier: GPL-3.0-or-later
// What every test that runs the game's own frame loop on the headless
// platform starts from: a fresh folder for the game's files and save, and a
// first scene that hands over to the scene under test, so the game's switcher
// builds that scene mid-run as it does in play.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "media/headless.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "shell/seen.h"
#include "support/temp_dir.h"

// The first scene of a run: asks for `target` on its first step, after
// running `beforeLeaving` (a menu's choice, say) when there is one.
class LaunchScene : public CSeen {
public:
    explicit LaunchScene(SceneId target, std::function<void()> beforeLeaving = nullptr)
        : target_(target), beforeLeaving_(std::move(beforeLeaving)) {
        nextId = SceneOpening;
    }
    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t) override { return nextId; }
    SceneId Step(int32_t) override {
        if (beforeLeaving_) beforeLeaving_();
        return nextId = target_;
    }
    void Draw() override {}

private:
    SceneId target_;
    std::function<void()> beforeLeaving_;
};

// Headless platform, no cached resources, and a save file of the test's own.
class GameRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::UseHeadlessPlatform();
        ResourceManager::Instance().ForgetAll();
        SaveData::Destroy();
        SaveData::SetFilePath((dir.Path() / "data.sav").string());
    }
    void TearDown() override {
        SaveData::Destroy();
        ResourceManager::Instance().ForgetAll();
    }

    TempDir dir;
};
