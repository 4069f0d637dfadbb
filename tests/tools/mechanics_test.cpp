// SPDX-License-Identifier: GPL-3.0-or-later
// The mechanics the critic finds in optimal play: each step sorted by what
// it asks of the player, and a mechanic counted only when every optimal
// solution uses it.
#include "stage_critic_fixture.h"

#include "mechanics.h"

#include <gmock/gmock.h>

namespace {

class MechanicsTest : public StageCriticTest {
protected:
    static MechanicSet ReliesOn(std::vector<std::string> rows, int limit = 2) {
        return Critiqued("01-test.stage", std::move(rows), limit).critique.reliesOn;
    }
    static MechanicSet Only(Mechanic m) { return MechanicBit(m); }
};

TEST_F(MechanicsTest, AnArrowAdvancingOneMarkIsNotARun) {
    // The arrow turns the 2 to 1 from afar: four steps, no landing.
    EXPECT_EQ(ReliesOn({"S>2", "-.-", "A--"}), Only(Mechanic::ArrowOne)) << MechanicNames(ReliesOn({"S>2", "-.-", "A--"}));
    // The same arrow facing two marks turns both at once.
    EXPECT_EQ(ReliesOn(ArrowNeeded()), Only(Mechanic::ArrowRun));
}

TEST_F(MechanicsTest, TheLineStopsAtTheFirstCellThatIsNotAMark) {
    // The floor between the marks ends the line: the arrow reaches one mark,
    // and the far one is landed on.
    const MechanicSet gap = ReliesOn({"S>2-2", "A...."});
    EXPECT_TRUE(gap & Only(Mechanic::ArrowOne)) << MechanicNames(gap);
    EXPECT_FALSE(gap & Only(Mechanic::ArrowRun)) << MechanicNames(gap);
}

TEST_F(MechanicsTest, ABurstIsWideFromThreeMarks) {
    EXPECT_EQ(ReliesOn({"S*A", "2.."}), Only(Mechanic::BurstFew));
    EXPECT_EQ(ReliesOn({"S*A", "222"}), Only(Mechanic::BurstWide));
}

TEST_F(MechanicsTest, WarpsThatLeadBackAndWarpsThatLeadOn) {
    // A lone pair: the far side holds the goal.
    EXPECT_EQ(ReliesOn({"SW.WA"}), Only(Mechanic::WarpPair));
    // The chain of three: the start's warp leads to the first in search
    // order, which does not lead back.
    const MechanicSet chain = ReliesOn(OneWayWarps());
    EXPECT_TRUE(chain & Only(Mechanic::WarpChain)) << MechanicNames(chain);
}

TEST_F(MechanicsTest, AGoalChosenWhileAnotherValueStands) {
    EXPECT_EQ(ReliesOn({"A-----S1B"}), Only(Mechanic::Mark) | Only(Mechanic::GoalChoice));
    EXPECT_EQ(ReliesOn(Corridor()), Only(Mechanic::Mark));
}

TEST_F(MechanicsTest, OnlyWhatEveryOptimalSolutionUses) {
    // Two ways of four steps to the goal: down onto the arrow, which turns
    // the 2, or onto the 2 itself; neither mechanic is relied on.
    const Critique both = Critiqued("01-test.stage", {"S-A", ">2-"}).critique;
    EXPECT_EQ(both.reliesOn, 0) << MechanicNames(both.reliesOn);
    EXPECT_EQ(both.meets, Only(Mechanic::ArrowOne) | Only(Mechanic::Mark)) << MechanicNames(both.meets);
}

TEST_F(MechanicsTest, TeachNamesTeachTheirMechanicsThatTheStageReliesOn) {
    const MechanicSet run = Only(Mechanic::ArrowRun) | Only(Mechanic::Mark);
    // A tile kind teaches those of its mechanics the stage relies on, and a
    // run shows what an arrow does to one mark.
    EXPECT_EQ(MechanicsTaught("arrow", run), Only(Mechanic::ArrowRun) | Only(Mechanic::ArrowOne));
    EXPECT_EQ(MechanicsTaught("arrow", Only(Mechanic::Mark)), 0);
    // A mechanic's own name teaches it whatever the stage relies on.
    EXPECT_EQ(MechanicsTaught("warp-chain", 0), Only(Mechanic::WarpChain));
    EXPECT_EQ(MechanicsTaught("burst-wide", 0), Only(Mechanic::BurstWide) | Only(Mechanic::BurstFew));
    EXPECT_EQ(MechanicsTaught("goal6", Only(Mechanic::GoalChoice)), Only(Mechanic::GoalChoice));
    EXPECT_EQ(MechanicsTaught("frozen", kAllMechanics), 0);
    for (int m = 0; m < kMechanicCount; ++m) {
        const Mechanic mechanic = static_cast<Mechanic>(m);
        EXPECT_EQ(MechanicNamed(MechanicName(mechanic)), mechanic);
    }
    EXPECT_EQ(MechanicNamed("arrow"), std::nullopt) << "the tile kind's name is not a mechanic's";
}

}  // namespace
