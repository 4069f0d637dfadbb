// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/instance_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "media/media.h"
#include "media/media_internal.h"
#include "support/temp_dir.h"

namespace {

using media_detail::InstanceLock;
using media_detail::InstanceLockHolder;
using media_detail::InstanceLockPath;

// Sets an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadOld_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_, old_;
    bool hadOld_ = false;
};

TEST(InstanceLock, OnlyOneHolderAtATime) {
    TempDir dir;
    const std::string path = (dir.Path() / "Veltrim.lock").string();
    InstanceLock first, second;
    ASSERT_TRUE(first.Acquire(path));
    EXPECT_FALSE(second.Acquire(path));
    first.Release();
    EXPECT_TRUE(second.Acquire(path));
    EXPECT_TRUE(second.Held());
}

// A second copy learns from the file which process runs, to show its window.
TEST(InstanceLock, TheHolderLeavesItsProcessIdInTheFile) {
    TempDir dir;
    const std::string path = (dir.Path() / "Veltrim.lock").string();
    dir.Write("Veltrim.lock", {'9', '9', '9', '9', '9', '9', '9', '\n'});  // left by an ended copy
    InstanceLock first, second;
    ASSERT_TRUE(first.Acquire(path));
    EXPECT_EQ(InstanceLockHolder(path), getpid());
    EXPECT_FALSE(second.Acquire(path));
    EXPECT_EQ(InstanceLockHolder(path), getpid()) << "a copy kept out leaves the file alone";
}

TEST(InstanceLock, NoHolderIsReadFromAnEmptyMissingOrGarbledFile) {
    TempDir dir;
    EXPECT_EQ(InstanceLockHolder((dir.Path() / "none.lock").string()), 0);
    dir.Write("empty.lock", {});
    EXPECT_EQ(InstanceLockHolder((dir.Path() / "empty.lock").string()), 0);
    dir.Write("text.lock", {'x', '1'});
    EXPECT_EQ(InstanceLockHolder((dir.Path() / "text.lock").string()), 0);
    dir.Write("negative.lock", {'-', '5'});
    EXPECT_EQ(InstanceLockHolder((dir.Path() / "negative.lock").string()), 0);
}

TEST(InstanceLock, FailsWhereNoFileCanBeMade) {
    InstanceLock lock;
    EXPECT_FALSE(lock.Acquire("/nonexistent-folder/x.lock"));
    EXPECT_FALSE(lock.Held());
}

TEST(InstanceLock, LivesInTheRuntimeDirectoryNamedAfterTheTitle) {
    TempDir dir;
    ScopedEnv env("XDG_RUNTIME_DIR", dir.Path().c_str());
    EXPECT_EQ(InstanceLockPath("Veltrim"), (dir.Path() / "Veltrim.lock").string());
    EXPECT_EQ(InstanceLockPath("a/b"), (dir.Path() / "a_b.lock").string());
    EXPECT_EQ(InstanceLockPath(""), (dir.Path() / "media.lock").string());
}

TEST(InstanceLock, FallsBackToAPerUserFileInTmp) {
    ScopedEnv env("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(InstanceLockPath("Veltrim"), "/tmp/Veltrim-" + std::to_string(getuid()) + ".lock");
}

// The real platform under SDL's display-free driver: the window opens,
// presents and closes, and a held lock keeps a second copy out.
TEST(SdlPlatform, OpensPresentsAndRespectsTheLock) {
    TempDir dir;
    ScopedEnv video("SDL_VIDEODRIVER", "dummy");
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    media_detail::SelectHeadlessPlatform(false);
    SetWindowTitle("VeltrimTest");
    SetWindowedMode(1);
    SetWindowIcon(106);

    InstanceLock other;
    ASSERT_TRUE(other.Acquire(InstanceLockPath("VeltrimTest")));
    EXPECT_EQ(InitMedia(), -1);
    other.Release();

    ASSERT_EQ(InitMedia(), 0);
    EXPECT_EQ(IsWindowActive(), 1);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(FlipScreen(), 0);
    EXPECT_EQ(GetPadState(0x1001), 0);
    EXPECT_FALSE(other.Acquire(InstanceLockPath("VeltrimTest")));  // held while running
    EXPECT_EQ(EndMedia(), 0);
    EXPECT_TRUE(other.Acquire(InstanceLockPath("VeltrimTest")));
}

// A copy killed outright never blocks the next start: the kernel drops the
// lock with the process.
TEST(InstanceLock, ALockLeftByAKilledCopyDoesNotBlock) {
    TempDir dir;
    const std::string path = (dir.Path() / "Veltrim.lock").string();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock lock;
        const char held = lock.Acquire(path) ? 'y' : 'n';
        [[maybe_unused]] const ssize_t n = ::write(ready[1], &held, 1);
        for (;;) ::pause();
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(held, 'y');
    InstanceLock next;
    EXPECT_FALSE(next.Acquire(path)) << "the running copy holds it";
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(next.Acquire(path));
}

// With no display at all SDL would fall back to a driver that draws nowhere:
// the game must not run unseen, holding the lock, but fail with one line.
TEST(SdlPlatform, WithoutADisplayStartingFailsAndFreesTheLock) {
    TempDir dir;
    ScopedEnv video("SDL_VIDEODRIVER", nullptr);
    ScopedEnv x11("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    media_detail::SelectHeadlessPlatform(false);
    SetWindowTitle("VeltrimTest");
    SetWindowedMode(1);
    ::testing::internal::CaptureStderr();
    const int result = InitMedia();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(said, "no display\n");
    InstanceLock next;
    EXPECT_TRUE(next.Acquire(InstanceLockPath("VeltrimTest")));
    EXPECT_EQ(EndMedia(), -1) << "nothing is left running";
}

}  // namespace
