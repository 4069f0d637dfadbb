// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/writable.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Root passes every access() check; the mode bits must decide all the same.
class WritableTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_.Path() / "folder", fs::perms::owner_all, ignored);
    }
    TempDir dir_;
};

TEST_F(WritableTest, FollowsTheOwnersWriteBit) {
    dir_.Write("file", {1});
    const fs::path file = dir_.Path() / "file";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(WritableByMode(file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_write | fs::perms::others_write);
    EXPECT_FALSE(WritableByMode(file));
}

TEST_F(WritableTest, AReadOnlyFolderIsNotWritable) {
    const fs::path folder = dir_.Path() / "folder";
    fs::create_directory(folder);
    EXPECT_TRUE(WritableByMode(folder));
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WritableByMode(folder));
}

TEST_F(WritableTest, AMissingFileIsNotWritable) { EXPECT_FALSE(WritableByMode(dir_.Path() / "none")); }

}  // namespace
