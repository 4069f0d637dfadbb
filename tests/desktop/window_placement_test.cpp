// SPDX-License-Identifier: GPL-3.0-or-later
// The real game's window on large desktops, with and without a window
// manager: enlarged by a whole multiple, wholly on the screen (title bar
// included), centred, and back in the same place after full screen.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>

#include "support/temp_dir.h"
#include "virtual_display.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Desktop {
    int width;
    int height;
    int scale;  // the window's expected enlargement
};

class WindowPlacementTest : public ::testing::TestWithParam<std::tuple<Desktop, bool>> {
protected:
    void SetUp() override {
        if (FindProgram("Xvfb").empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        if (managed() && FindProgram("openbox").empty()) {
            GTEST_SKIP() << "openbox is not installed (package openbox)";
        }
        const Desktop d = desktop();
        ASSERT_TRUE(display.Start(std::to_string(d.width) + "x" + std::to_string(d.height) + "x24"));
        if (managed()) {
            ASSERT_TRUE(display.StartWindowManager()) << "openbox would not start";
        }
        // The game's own files, so it runs its title screen rather than a message.
        const fs::path game = fs::path(VELTRIM_BINARY_DIR) / "game";
        fs::create_directories(dir.Path() / "game");
        if (fs::exists(game / "Stage")) {
            for (const fs::directory_entry& entry : fs::directory_iterator(game)) {
                const std::string name = entry.path().filename().string();
                if (name != "veltrim" && name != "data.sav") fs::create_symlink(entry.path(), dir.Path() / "game" / name);
            }
        }
        ASSERT_TRUE(process.Start(dir.Path() / "game", display.Name()));
        ASSERT_TRUE(WaitUntil([&] { return (window = display.FindClientWindow("Veltrim").value_or(0)) != 0; }, 20s))
            << process.StandardError();
    }

    Desktop desktop() const { return std::get<0>(GetParam()); }
    bool managed() const { return std::get<1>(GetParam()); }

    // The window at its expected size, looked up afresh (SDL may replace its
    // first window while it sets up its renderer).
    bool Settled() {
        window = display.FindClientWindow("Veltrim").value_or(0);
        if (!window) return false;
        const VirtualDisplay::Area area = display.ClientArea(window);
        return area.width == 640 * desktop().scale && area.height == 480 * desktop().scale &&
               (!managed() || display.FrameExtents(window)[2] > 0);
    }

    TempDir dir;
    VirtualDisplay display;
    GameProcess process;
    Window window = 0;
};

TEST_P(WindowPlacementTest, TheEnlargedWindowIsWhollyOnTheScreenAndCentred) {
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, 10s))
        << display.ClientArea(window).width << "x" << display.ClientArea(window).height;
    // Placement settles after the size: give the window manager a moment.
    std::this_thread::sleep_for(500ms);
    const VirtualDisplay::Area area = display.ClientArea(window);
    const auto [left, right, top, bottom] = display.FrameExtents(window);
    const auto [width, height] = display.ScreenSize();
    const long outerLeft = area.x - left, outerTop = area.y - top;
    const long outerRight = area.x + area.width + right, outerBottom = area.y + area.height + bottom;
    EXPECT_GE(outerLeft, 0);
    EXPECT_GE(outerTop, 0) << "the title bar is off the top";
    EXPECT_LE(outerRight, width);
    EXPECT_LE(outerBottom, height) << "the window hangs off the bottom";
    EXPECT_LE(std::abs(outerLeft - (width - outerRight)), 1) << "not centred across: " << area.x;
    EXPECT_LE(std::abs(outerTop - (height - outerBottom)), 1) << "not centred down: " << area.y;
}

TEST_P(WindowPlacementTest, FullScreenAndBackReturnsTheWindowToItsPlace) {
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, 10s));
    std::this_thread::sleep_for(500ms);
    const VirtualDisplay::Area before = display.ClientArea(window);
    const auto [width, height] = display.ScreenSize();
    display.Focus(window);
    ASSERT_TRUE(display.XdoTool("key F11"));
    ASSERT_TRUE(WaitUntil(
        [&] {
            const VirtualDisplay::Area a = display.ClientArea(window);
            return a.width == width && a.height == height;
        },
        10s))
        << "no full screen";
    display.Focus(window);
    ASSERT_TRUE(display.XdoTool("key F11"));
    ASSERT_TRUE(WaitUntil([&] { return display.ClientArea(window).width == before.width; }, 10s));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const VirtualDisplay::Area a = display.ClientArea(window);
            return a.x == before.x && a.y == before.y && a.height == before.height;
        },
        5s))
        << "was at " << before.x << "," << before.y << ", now at " << display.ClientArea(window).x << ","
        << display.ClientArea(window).y;
}

std::string Name(const ::testing::TestParamInfo<std::tuple<Desktop, bool>>& info) {
    const Desktop d = std::get<0>(info.param);
    return std::to_string(d.width) + "x" + std::to_string(d.height) + (std::get<1>(info.param) ? "_Openbox" : "_Bare");
}

INSTANTIATE_TEST_SUITE_P(LargeDesktops, WindowPlacementTest,
                         ::testing::Combine(::testing::Values(Desktop{1920, 1080, 2}, Desktop{3840, 2160, 4}),
                                            ::testing::Values(false, true)),  // Xlib defines Bool
                         Name);

}  // namespace
