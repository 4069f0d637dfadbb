// SPDX-License-Identifier: GPL-3.0-or-later
// The game's hint and dead-end warning in the editor's play in place, on
// shipped stages: the hinted plan clears in the optimum, a walk into the
// shallowest trap is called lost on that very step with the way back along
// the session's own undo history, and a stage past the memory bound says so.
#include "in_place_advice.h"
#include "stage_document.h"

#include "critique.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Kind = InPlaceAdviceAnswer::Kind;

StageData ShippedStage(const std::string& numberPrefix) {
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages")) {
        if (entry.path().filename().string().rfind(numberPrefix, 0) != 0) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        StageDocument::Opened opened = StageDocument::FromSourceText(text);
        EXPECT_TRUE(opened.document) << entry.path() << ": " << opened.error;
        if (opened.document) return opened.document->StageForPlay();
    }
    ADD_FAILURE() << "no shipped stage " << numberPrefix;
    return {};
}

// A warp stage half of whose positions are dead, and the eraser's first stage.
constexpr const char* kStagesWithTraps[] = {"26-", "31-"};

}  // namespace

TEST(InPlaceAdvice, FollowingTheHintClearsInTheOptimumAndKeepsParInReach) {
    for (const char* number : {"01-", "26-", "31-", "42-"}) {
        SCOPED_TRACE(number);
        const StageData stage = ShippedStage(number);
        const Critique critique = CritiqueStage(stage);
        ASSERT_GT(critique.optimum, 0);
        InPlaceAdvice advice(stage);
        PlaySession session(stage);
        advice.WaitUntilReady();
        // A detour first: the hint solves again from wherever the player stands.
        ASSERT_TRUE(session.Step(critique.solution[0]));
        ASSERT_TRUE(session.Undo());
        int expected = critique.optimum;
        while (!session.Cleared()) {
            const InPlaceAdviceAnswer answer = advice.Advise(session);
            ASSERT_EQ(answer.kind, Kind::Live) << "after " << session.Steps() << " steps";
            EXPECT_EQ(answer.toClear, expected);
            EXPECT_EQ(answer.optimum, critique.optimum);
            EXPECT_TRUE(answer.parInReach);
            ASSERT_TRUE(answer.next.has_value());
            ASSERT_TRUE(session.Step(*answer.next));
            --expected;
        }
        EXPECT_EQ(session.Steps(), critique.optimum);
        EXPECT_EQ(advice.Advise(session).kind, Kind::Over);
    }
}

TEST(InPlaceAdvice, AStepOffThePlanPutsParOutOfReachButTheHintStillClears) {
    const StageData stage = ShippedStage("01-");
    InPlaceAdvice advice(stage);
    PlaySession session(stage);
    advice.WaitUntilReady();
    const InPlaceAdviceAnswer start = advice.Advise(session);
    ASSERT_EQ(start.kind, Kind::Live);
    // Some step that is not the hinted one and not blocked.
    bool detoured = false;
    for (StepDirection direction : {StepDirection::Left, StepDirection::Up, StepDirection::Right, StepDirection::Down}) {
        if (direction != *start.next && session.Step(direction)) {
            detoured = true;
            break;
        }
    }
    ASSERT_TRUE(detoured);
    const InPlaceAdviceAnswer after = advice.Advise(session);
    ASSERT_EQ(after.kind, Kind::Live);
    EXPECT_FALSE(after.parInReach) << "a step off the optimal first step costs steps";
    EXPECT_GT(session.Steps() + after.toClear, start.toClear);
    const int finish = session.Steps() + after.toClear;
    for (InPlaceAdviceAnswer answer = after; answer.kind == Kind::Live; answer = advice.Advise(session)) {
        ASSERT_TRUE(session.Step(*answer.next));
    }
    EXPECT_TRUE(session.Cleared());
    EXPECT_EQ(session.Steps(), finish) << "from the detour the hint takes the remaining optimum";
}

TEST(InPlaceAdvice, AWalkIntoTheShallowestTrapIsLostOnThatStepWithTheWayBack) {
    for (const char* number : kStagesWithTraps) {
        SCOPED_TRACE(number);
        const StageData stage = ShippedStage(number);
        const Critique critique = CritiqueStage(stage);
        ASSERT_GT(critique.deadStates, 0u);
        ASSERT_FALSE(critique.trapMoves.empty());
        InPlaceAdvice advice(stage);
        PlaySession session(stage);
        advice.WaitUntilReady();
        for (std::size_t i = 0; i + 1 < critique.trapMoves.size(); ++i) {
            ASSERT_TRUE(session.Step(critique.trapMoves[i]));
            EXPECT_EQ(advice.Advise(session).kind, Kind::Live) << "step " << i + 1 << " is shallower than the trap";
        }
        ASSERT_TRUE(session.Step(critique.trapMoves.back()));
        InPlaceAdviceAnswer answer = advice.Advise(session);
        ASSERT_EQ(answer.kind, Kind::Lost);
        EXPECT_EQ(answer.undoSteps, 1);
        EXPECT_FALSE(answer.next.has_value());

        // Further steps in the lost position: the way back grows by one each.
        int further = 0;
        for (int tries = 0; tries < 8 && further < 3; ++tries) {
            for (StepDirection direction : {StepDirection::Left, StepDirection::Up, StepDirection::Right, StepDirection::Down}) {
                if (session.Step(direction)) {
                    ++further;
                    break;
                }
            }
        }
        answer = advice.Advise(session);
        ASSERT_EQ(answer.kind, Kind::Lost);
        EXPECT_EQ(answer.undoSteps, 1 + further);
        for (int i = 0; i < answer.undoSteps; ++i) ASSERT_TRUE(session.Undo());
        EXPECT_EQ(advice.Advise(session).kind, Kind::Live) << "that many undos lead back to a clear";
    }
}

TEST(InPlaceAdvice, NoWarningAnywhereOnTheOptimalPath) {
    for (const char* number : kStagesWithTraps) {
        SCOPED_TRACE(number);
        const StageData stage = ShippedStage(number);
        const Critique critique = CritiqueStage(stage);
        InPlaceAdvice advice(stage);
        PlaySession session(stage);
        advice.WaitUntilReady();
        for (StepDirection step : critique.solution) {
            EXPECT_EQ(advice.Advise(session).kind, Kind::Live);
            ASSERT_TRUE(session.Step(step));
        }
        EXPECT_TRUE(session.Cleared());
    }
}

TEST(InPlaceAdvice, AStagePastTheMemoryBoundSaysSoInsteadOfGuessing) {
    const StageData stage = ShippedStage("26-");
    InPlaceAdvice advice(stage, 4096);
    PlaySession session(stage);
    advice.WaitUntilReady();
    EXPECT_TRUE(advice.Ready());
    EXPECT_EQ(advice.Advise(session).kind, Kind::TooLarge);
}
