// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_critic_fixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

class DesignRulesTest : public StageCriticTest {};

TEST_F(DesignRulesTest, HandWorkedStagesWithFittingDeclarationsPass) {
    const std::vector<CritiquedStage> set = {
        Critiqued("05-arrow.stage", ArrowNeeded(), 2, "features: arrow\n"),
        Critiqued("08-chain.stage", OneWayWarps(), 2, "teaches: warp10\ntraps: allowed\n"),
    };
    // Rule 7 asks for earlier stages that teach marks and the arrow's run;
    // it has tests of its own below.
    for (const RuleBreach& breach : CheckDesignRules(set)) {
        if (breach.rule != 7) ADD_FAILURE() << breach.Message();
    }
}

TEST_F(DesignRulesTest, Rule1FeaturedTileMustBeNecessary) {
    // The warps make the chain stage solvable at all; the arrow saves 6 of 9.
    EXPECT_TRUE(Breaches({Critiqued("05-arrow.stage", ArrowNeeded(), 2, "features: arrow\n")}, 1).empty());
    const auto burst = Breaches({Critiqued("07-burst.stage", BurstHazard(), 2, "features: burst\n")}, 1);
    ASSERT_EQ(burst.size(), 1u);
    EXPECT_THAT(burst[0], HasSubstr("07-burst.stage: rule 1 (necessary tiles): featured burst is not necessary"));
    const auto missing = Breaches({Critiqued("01-corridor.stage", Corridor(), 2, "features: arrow\n")}, 1);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_THAT(missing[0], HasSubstr("featured arrow is not on the board"));
}

TEST_F(DesignRulesTest, Rule1TileLeftUnfeaturedMustNotBeAHazard) {
    const auto hazard = Breaches({Critiqued("07-burst.stage", BurstHazard())}, 1);
    ASSERT_EQ(hazard.size(), 1u);
    EXPECT_THAT(hazard[0], HasSubstr("07-burst.stage: rule 1 (necessary tiles): burst is only a hazard"));
    // Present, not featured and harmless (the eraser changes nothing): no breach.
    EXPECT_TRUE(Breaches({Critiqued("10-eraser.stage", EraserTrap(), 2, "traps: allowed\n")}, 1).empty());
}

TEST_F(DesignRulesTest, Rule2NaivePlansFromStageElevenOn) {
    EXPECT_TRUE(Breaches({Critiqued("10-corridor.stage", Corridor())}, 2).empty());
    const auto naive = Breaches({Critiqued("11-corridor.stage", Corridor())}, 2);
    ASSERT_EQ(naive.size(), 1u);
    EXPECT_THAT(naive[0], HasSubstr("11-corridor.stage: rule 2 (no naive plan)"));
    EXPECT_TRUE(Breaches({Critiqued("11-arrow.stage", ArrowNeeded())}, 2).empty());
}

TEST_F(DesignRulesTest, Rule3NoShapeInMoreThanTwoStages) {
    std::vector<CritiquedStage> set = {Critiqued("01-a.stage", {"S2A", "-.-"}),
                                       Critiqued("02-b.stage", {"", ".....-1S", ".....-.B"})};
    EXPECT_TRUE(Breaches(set, 3).empty());
    set.push_back(Critiqued("03-c.stage", {"", "", "", "A-2", "-.S"}));
    const auto reused = Breaches(set, 3);
    ASSERT_EQ(reused.size(), 3u);
    EXPECT_THAT(reused[0], HasSubstr("01-a.stage: rule 3 (shape reuse): its walkable shape is used by 3 stages (1, 2, 3)"));
    EXPECT_THAT(reused[2], HasSubstr("03-c.stage: rule 3"));
}

TEST_F(DesignRulesTest, Rule4NoEarlyTraps) {
    const auto chain = Breaches({Critiqued("08-chain.stage", OneWayWarps())}, 4);
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_THAT(chain[0], HasSubstr("08-chain.stage: rule 4 (early traps): a dead state after 4 move(s) (RLRR)"));
    EXPECT_TRUE(Breaches({Critiqued("08-chain.stage", OneWayWarps(), 2, "traps: allowed\n")}, 4).empty());
    // Even where traps are allowed, none on the first move.
    const auto eraser = Breaches({Critiqued("10-eraser.stage", EraserTrap(), 2, "traps: allowed\n")}, 4);
    ASSERT_EQ(eraser.size(), 1u);
    EXPECT_THAT(eraser[0], HasSubstr("10-eraser.stage: rule 4 (early traps): a dead state after 1 move(s) (U)"));
}

TEST_F(DesignRulesTest, Rule5FrozenMarksOnlyOnceTaught) {
    // A 3 that stays 3 under limit 2, and a goal for 3.
    const std::vector<std::string> frozen = {"S3C"};
    const auto early = Breaches({Critiqued("04-frozen.stage", frozen)}, 5);
    ASSERT_EQ(early.size(), 1u);
    EXPECT_THAT(early[0], HasSubstr("04-frozen.stage: rule 5 (frozen marks taught): 1 frozen mark(s)"));
    const std::vector<CritiquedStage> taught = {Critiqued("03-teach.stage", frozen, 2, "teaches: frozen\n"),
                                                Critiqued("04-frozen.stage", frozen)};
    EXPECT_TRUE(Breaches(taught, 5).empty());
    const std::vector<CritiquedStage> tooLate = {Critiqued("05-teach.stage", frozen, 2, "teaches: frozen\n"),
                                                 Critiqued("04-frozen.stage", frozen)};
    EXPECT_EQ(Breaches(tooLate, 5).size(), 1u);
}

TEST_F(DesignRulesTest, Rule6TeachingStageOffersAChoice) {
    const auto corridor = Breaches({Critiqued("02-corridor.stage", Corridor(), 2, "teaches: mark\n")}, 6);
    ASSERT_EQ(corridor.size(), 1u);
    EXPECT_THAT(corridor[0], HasSubstr("02-corridor.stage: rule 6 (teaching offers a choice): teaches mark"));
    // One way to use the arrow, and no way to fail.
    EXPECT_EQ(Breaches({Critiqued("05-arrow.stage", ArrowNeeded(), 2, "teaches: arrow\n")}, 6).size(), 1u);
    // Two ways to use the burst.
    EXPECT_TRUE(Breaches({Critiqued("07-burst.stage", BurstHazard(), 2, "teaches: burst\n")}, 6).empty());
    // A wrong way through the warps that never clears.
    EXPECT_TRUE(Breaches({Critiqued("08-chain.stage", OneWayWarps(), 2, "teaches: warp10\n")}, 6).empty());
}

TEST_F(DesignRulesTest, Rule6ATaughtGoalNeedsAnotherDoorThatClearsLater) {
    // B is two steps away once the 1 is landed on; A clears as it stands,
    // six steps the other way.
    const std::vector<std::string> doors = {"A-----S1B"};
    EXPECT_TRUE(Breaches({Critiqued("02-doors.stage", doors, 2, "teaches: goal6\n")}, 6).empty());
    const auto wrongDoor = Breaches({Critiqued("02-doors.stage", doors, 2, "teaches: goal5\n")}, 6);
    ASSERT_EQ(wrongDoor.size(), 1u) << "without A, B is as short as ever";
    EXPECT_THAT(wrongDoor[0], HasSubstr("teaches goal5 but offers no choice: no other goal clears the stage"));
    EXPECT_EQ(Breaches({Critiqued("02-corridor.stage", Corridor(), 2, "teaches: goal5\n")}, 6).size(), 1u);
}

// The arrow turns one mark from afar; the run's arrow turns two at once.
std::vector<std::string> OneMarkArrow() { return {"S>2", "-.-", "A--"}; }

TEST_F(DesignRulesTest, Rule7ARunNeedsAStageThatTeachesIt) {
    const auto untaught = Breaches({Critiqued("01-one.stage", OneMarkArrow(), 2, "teaches: arrow\n"),
                                    Critiqued("02-run.stage", ArrowNeeded(), 2, "features: arrow\n")},
                                   7);
    ASSERT_EQ(untaught.size(), 1u);
    EXPECT_THAT(untaught[0], HasSubstr("02-run.stage: rule 7 (mechanics taught): every optimal solution relies on "
                                       "arrow-run (an arrow advancing a run of two or more marks) before any stage "
                                       "teaches it (no stage declares \"teaches: arrow-run\")"));
    // Taught where it is first met, by the finer name.
    EXPECT_TRUE(Breaches({Critiqued("01-one.stage", OneMarkArrow(), 2, "teaches: arrow\n"),
                          Critiqued("02-run.stage", ArrowNeeded(), 2, "teaches: arrow-run\nfeatures: arrow\n")},
                         7)
                    .empty());
    // Taught only after it is needed.
    const auto late = Breaches({Critiqued("01-run.stage", ArrowNeeded(), 2, "features: arrow\n"),
                                Critiqued("02-run.stage", ArrowNeeded(), 2, "teaches: arrow-run\n")},
                               7);
    ASSERT_EQ(late.size(), 1u);
    EXPECT_THAT(late[0], HasSubstr("01-run.stage: rule 7 (mechanics taught): every optimal solution relies on arrow-run"));
    EXPECT_THAT(late[0], HasSubstr("(taught in stage 2)"));
}

TEST_F(DesignRulesTest, Rule7ATileKindTeachesWhatItsStageReliesOn) {
    // "teaches: arrow" on a stage whose arrow turns a run teaches the run,
    // and with it the arrow that turns one mark.
    EXPECT_TRUE(Breaches({Critiqued("01-run.stage", ArrowNeeded(), 2, "teaches: arrow\n"),
                          Critiqued("02-one.stage", OneMarkArrow(), 2, "features: arrow\n")},
                         7)
                    .empty());
    // The one-mark arrow does not show the run.
    EXPECT_EQ(Breaches({Critiqued("01-one.stage", OneMarkArrow(), 2, "teaches: arrow\n"),
                        Critiqued("02-run.stage", ArrowNeeded())},
                       7)
                  .size(),
              1u);
}

TEST_F(DesignRulesTest, Rule7WhatAStageTeachesItsOptimumUses) {
    const auto unused = Breaches({Critiqued("01-one.stage", OneMarkArrow(), 2, "teaches: arrow-run\n")}, 7);
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_THAT(unused[0], HasSubstr("01-one.stage: rule 7 (mechanics taught): teaches arrow-run but no mechanic of it "
                                     "(arrow-run) is used by every optimal solution"));
    // A corridor taught as a lesson in arrows has no arrow at all.
    EXPECT_EQ(Breaches({Critiqued("01-corridor.stage", Corridor(), 2, "teaches: mark arrow\n")}, 7).size(), 1u);
}

TEST_F(DesignRulesTest, UnsolvableStageIsReportedAsSuch) {
    const auto stuck = Breaches({Critiqued("09-stuck.stage", {"S13A"})}, 0);
    ASSERT_EQ(stuck.size(), 1u);
    EXPECT_THAT(stuck[0], HasSubstr("09-stuck.stage: rule 0 (playable): cannot be cleared"));
}

TEST_F(DesignRulesTest, StageNumbersComeFromFileNames) {
    EXPECT_EQ(StageNumberOfFile("content/stages/07-crossing.stage"), 7);
    EXPECT_EQ(StageNumberOfFile("game/Stage/stage12.map"), 12);
    EXPECT_EQ(StageNumberOfFile("crossing.stage"), 0);
}

}  // namespace
