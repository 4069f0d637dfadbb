#include "media/platform/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "media/media.h"
#include "media/media_internal.h"
#include "support/temp_dir.h"

namespace {

using media_detail::InstanceLock;
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

}  // namespace
