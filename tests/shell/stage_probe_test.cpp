// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stage_probe.h"

#include <gtest/gtest.h>

#include "shell/stage_files.h"
#include "support/temp_dir.h"

namespace {

class StageProbeTest : public ::testing::Test {
protected:
    void Stage(int number, const std::vector<unsigned char>& bytes) { dir_.Write(StageFilePath(number), bytes); }

    TempDir dir_;
};

TEST_F(StageProbeTest, CountsFromOneUpToTheFirstGap) {
    Stage(1, StageWithPar("10"));
    Stage(2, StageWithPar("20"));
    Stage(4, StageWithPar("40"));
    EXPECT_EQ(ProbeStages(255), (std::vector<uint8_t>{10, 20}));
}

TEST_F(StageProbeTest, NoFirstStageMeansNoStages) {
    Stage(2, StageWithPar("20"));
    EXPECT_TRUE(ProbeStages(255).empty());
}

TEST_F(StageProbeTest, EmptyFileCountsWithParZero) {
    Stage(1, {});
    Stage(2, StageWithPar("7"));
    EXPECT_EQ(ProbeStages(255), (std::vector<uint8_t>{0, 7}));
}

TEST_F(StageProbeTest, OnlyTheLowByteOfTheParCounts) {
    Stage(1, StageWithPar("300"));
    Stage(2, StageWithPar("-5"));
    Stage(3, StageWithPar("99999999999"));
    EXPECT_EQ(ProbeStages(255), (std::vector<uint8_t>{44, 251, 255}));
}

TEST_F(StageProbeTest, ShortFilesReadWhatIsThere) {
    std::vector<unsigned char> cut = StageWithPar("123");
    cut.resize(cut.size() - 2);  // the last digit is missing
    Stage(1, cut);
    Stage(2, {1, 2, 3, 4, 5, 6, 7, 8, 9});  // header only
    std::vector<unsigned char> noValue = StageWithPar("5");
    noValue.resize(9 + 1 + 6 - 2);  // cut inside the name
    Stage(3, noValue);
    EXPECT_EQ(ProbeStages(255), (std::vector<uint8_t>{12, 0, 0}));
}

TEST_F(StageProbeTest, StopsAtTheLimit) {
    for (int n = 1; n <= 5; ++n) Stage(n, StageWithPar(std::to_string(n)));
    EXPECT_EQ(ProbeStages(3), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(WideTextToInt, ReadsLikeTheCLibrary) {
    EXPECT_EQ(WideTextToInt(u""), 0);
    EXPECT_EQ(WideTextToInt(u"abc"), 0);
    EXPECT_EQ(WideTextToInt(u"  \t42"), 42);
    EXPECT_EQ(WideTextToInt(u"+17steps"), 17);
    EXPECT_EQ(WideTextToInt(u"-0012"), -12);
    EXPECT_EQ(WideTextToInt(u"- 3"), 0);
    EXPECT_EQ(WideTextToInt(u"4 5"), 4);
    EXPECT_EQ(WideTextToInt(u"2147483647"), 2147483647);
    EXPECT_EQ(WideTextToInt(u"2147483648"), 2147483647);
    EXPECT_EQ(WideTextToInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(WideTextToInt(u"-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
