// SPDX-License-Identifier: GPL-3.0-or-later
// The real game in a real X window: its messages shown in the window itself,
// how they are acknowledged, and a window that goes away from outside.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "media/message_box/message_box_picture.h"
#include "media/platform/instance_lock.h"
#include "support/temp_dir.h"
#include "virtual_display.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kNoStagesText = "ステージが一つも存在しません";
constexpr const char* kNoStagesCaption = "Error";

// The game started with no stage files, its "no stages" message open.
class MessageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("Xvfb").empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        ASSERT_TRUE(display.Start()) << "Xvfb would not start";
        expected = media_detail::DrawMessageBoxPicture(nullptr, 640, 480, kNoStagesCaption, kNoStagesText);
        ASSERT_FALSE(expected.pixels.empty());
    }

    // Starts the game and waits for its window.
    void StartGame() {
        ASSERT_TRUE(game.Start(dir.Path() / "game", display.Name()));
        ASSERT_TRUE(WaitUntil([&] { return (window = display.FindWindow("Veltrim").value_or(0)) != 0; }, 10s))
            << game.StandardError();
    }

    // Whether the window shows the message box now. Looked up afresh: SDL
    // may replace its first window while it sets up its renderer.
    bool ShowsTheMessage() {
        window = display.FindWindow("Veltrim").value_or(0);
        return window != 0 && display.Picture(window) == expected.pixels;
    }

    void WaitForTheMessage() {
        ASSERT_TRUE(WaitUntil([&] { return ShowsTheMessage(); }, 10s)) << game.StandardError();
    }

    // Waits for the game to end and gives its exit status (-1 for a signal or no end).
    int ExitStatus(std::chrono::milliseconds timeout = 10s) {
        const std::optional<int> status = game.WaitForExit(timeout);
        if (!status) return -1000;
        if (WIFSIGNALED(*status)) return -WTERMSIG(*status);
        return WEXITSTATUS(*status);
    }

    TempDir dir;
    VirtualDisplay display;
    GameProcess game;
    Window window = 0;
    media_detail::MessageBoxPicture expected;
};

TEST_F(MessageWindowTest, NoStagesShowsTheMessageInTheGameWindowAndReturnClosesIt) {
    StartGame();
    WaitForTheMessage();
    // Where the panel is, the black frame is covered.
    const std::vector<uint32_t> shown = display.Picture(window);
    const auto& panel = expected.layout.panel;
    EXPECT_NE(shown[static_cast<size_t>(panel.y + panel.h / 2) * 640 + panel.x + 8], 0u);
    EXPECT_EQ(shown[0], 0u);
    // The game's own window is the only one: no box of the system's.
    EXPECT_EQ(display.ShownTopLevelWindows().size(), 1u);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(game.Running()) << "the message waits for the player";

    display.Focus(window);
    ASSERT_TRUE(display.XdoTool("key Return"));
    EXPECT_EQ(ExitStatus(), 0);
    // Shown in the window and, for a bug report, on standard error too.
    EXPECT_NE(game.StandardError().find(std::string(kNoStagesCaption) + ": " + kNoStagesText + "\n"), std::string::npos)
        << game.StandardError();
}

TEST_F(MessageWindowTest, AConfirmKeyHeldWhenTheMessageOpensDoesNotCloseIt) {
    // Down before the game even starts, so it is surely held when the message opens.
    ASSERT_TRUE(display.XdoTool("keydown z"));
    StartGame();
    WaitForTheMessage();
    std::this_thread::sleep_for(1200ms);  // long enough for the keyboard's auto-repeat
    EXPECT_TRUE(game.Running());
    ASSERT_TRUE(display.XdoTool("keyup z"));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(game.Running()) << "letting go is not a press";
    EXPECT_TRUE(ShowsTheMessage());
    ASSERT_TRUE(display.XdoTool("key z"));
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(MessageWindowTest, AClickOnOkClosesIt) {
    StartGame();
    WaitForTheMessage();
    const auto [left, top] = display.Position(window);
    const auto& button = expected.layout.button;
    const int x = left + button.x + button.w / 2, y = top + button.y + button.h / 2;
    ASSERT_TRUE(display.XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y)));
    // A click beside the button does nothing.
    ASSERT_TRUE(display.XdoTool("mousemove " + std::to_string(x + button.w) + " " + std::to_string(y) + " click 1"));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(game.Running());
    ASSERT_TRUE(display.XdoTool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1"));
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(MessageWindowTest, ClosingTheWindowAcknowledgesTheMessageAndEndsTheGame) {
    StartGame();
    WaitForTheMessage();
    display.RequestClose(window);
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(MessageWindowTest, AWindowDestroyedFromOutsideEndsTheGameNormally) {
    StartGame();
    WaitForTheMessage();
    display.Destroy(window);
    EXPECT_EQ(ExitStatus(), 0) << game.StandardError();
    EXPECT_EQ(game.StandardError().find("X Error"), std::string::npos) << game.StandardError();
}

TEST_F(MessageWindowTest, ALostDisplayEndsTheGameWithoutACrashAndFreesTheLock) {
    StartGame();
    WaitForTheMessage();
    display.Kill();
    const int status = ExitStatus();
    EXPECT_GE(status, 0) << "ended by signal " << -status << " (-1000: not at all)\n" << game.StandardError();
    media_detail::InstanceLock next;
    EXPECT_TRUE(next.Acquire((dir.Path() / "game" / "Veltrim.lock").string()));
}

}  // namespace
