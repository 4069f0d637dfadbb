// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scenes frame by frame on the headless platform, in a scratch folder
// that the tests fill with their own small pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "resources/resource_manager.h"
#include "resources/save_data.h"
#include "resources/test_pictures.h"
#include "shell/seen.h"
#include "support/game_run.h"

class SceneTest : public GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        ASSERT_EQ(InitMedia(), 0);
    }
    void TearDown() override {
        GameRunTest::TearDown();
        EndMedia();
    }

    // A picture of one colour, packed as a .bfg file under this name.
    static void SolidPicture(const std::string& name, int width, int height, uint32_t color) {
        test_pictures::WriteBfg(name, test_pictures::MakeSolidBmp(width, height, color));
    }
    static void Picture(const std::string& name, int width, int height, const std::vector<uint32_t>& pixels) {
        test_pictures::WriteBfg(name, test_pictures::MakeBmp(width, height, pixels));
    }

    // One frame as the frame loop runs it; returns the presented picture.
    const std::vector<uint32_t>& Frame(CSeen& scene, uint32_t pressed = 0) {
        ClearScreen();
        scene.Update(pressed);
        lastStep = scene.Step(0);
        scene.Draw();
        FlipScreen();
        return headless::LastPresentedFrame();
    }

    static uint32_t At(const std::vector<uint32_t>& frame, int x, int y) {
        return frame[static_cast<std::size_t>(y * kScreenWidth + x)];
    }
    static int Red(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
    static int Green(uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
    static int Blue(uint32_t p) { return static_cast<int>(p & 0xFF); }

    SceneId lastStep = SceneEnd;
};
