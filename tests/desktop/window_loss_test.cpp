// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own frame loop on the real SDL platform, its window destroyed
// from outside while scenes run: the loop ends as for the close box and the
// shut-down keeps its order (media layer first, then the scene).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "media/media_internal.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "shell/recording_scene.h"
#include "shell/stage_files.h"
#include "support/temp_dir.h"
#include "virtual_display.h"

namespace {

using namespace std::chrono_literals;

// Runs the game with a recording scene in a child process (Xlib's handlers
// are the process's own, as in the shipped game) and returns what it saw:
// "<result> <last event> <media state when the scene was deleted> <updates>".
std::string RunGameInChild(const VirtualDisplay& display, const std::filesystem::path& folder) {
    int report[2], running[2];
    if (::pipe(report) != 0 || ::pipe(running) != 0) return {};
    const pid_t child = ::fork();
    if (child < 0) return {};
    if (child == 0) {
        ::close(report[0]);
        ::close(running[0]);
        XSetErrorHandler(nullptr);  // Xlib's own, not the test's
        ::setenv("DISPLAY", display.Name().c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        ::unsetenv("SDL_VIDEODRIVER");
        media_detail::SelectHeadlessPlatform(false);
        SaveData::SetFilePath((folder / "data.sav").string());
        SceneJournal journal;
        // Tells the test once some frames have run; then the scene stays.
        const auto stay = [fd = running[1]](int step) {
            if (step == 10) [[maybe_unused]] const ssize_t n = ::write(fd, "r", 1);
            return SceneOpening;
        };
        const int result = RunGame(RecordingTable({{SceneOpening, ScenePlan(true, stay)}}, journal));
        const std::string line = std::to_string(result) + " " + (journal.events.empty() ? "-" : journal.events.back()) +
                                 " " + std::to_string(journal.mediaAfterDelete.empty() ? 99 : journal.mediaAfterDelete.back()) +
                                 " " + std::to_string(journal.Count("update 1")) + "\n";
        [[maybe_unused]] const ssize_t n = ::write(report[1], line.data(), line.size());
        ::_exit(0);
    }
    ::close(report[1]);
    ::close(running[1]);
    pollfd frames{running[0], POLLIN, 0};
    char ran = 0;
    if (::poll(&frames, 1, 20000) > 0 && ::read(running[0], &ran, 1) == 1)
        if (const std::optional<Window> window = display.FindWindow("Veltrim")) display.Destroy(*window);
    ::close(running[0]);
    std::string said;
    char buffer[128];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<size_t>(n));
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return "signal " + std::to_string(WTERMSIG(status));
    if (said.empty()) return "exit " + std::to_string(WEXITSTATUS(status));
    return said;
}

TEST(WindowLoss, ADestroyedWindowEndsTheLoopAndKeepsTheShutDownOrder) {
    if (FindProgram("Xvfb").empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    VirtualDisplay display;
    ASSERT_TRUE(display.Start());
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "Stage");
    const std::vector<unsigned char> stage = StageWithPar("10");
    std::ofstream(dir.Path() / "Stage" / "stage1.map", std::ios::binary)
        .write(reinterpret_cast<const char*>(stage.data()), static_cast<std::streamsize>(stage.size()));

    const std::string said = RunGameInChild(display, dir.Path());
    int result = -5, media = -5, updates = 0;
    char last[32] = {};
    char lastId[8] = {};
    ASSERT_EQ(std::sscanf(said.c_str(), "%d %31s %7s %d %d", &result, last, lastId, &media, &updates), 5) << said;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::string(last) + " " + lastId, "delete 1") << "the scene is deleted last";
    EXPECT_EQ(media, -1) << "after the media layer ended";
    EXPECT_GT(updates, 10) << "frames ran before the window went";
}

}  // namespace
