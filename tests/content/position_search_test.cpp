// SPDX-License-Identifier: GPL-3.0-or-later
// The searches from one position, which answer until a stage's analysis is
// built, against the analysis itself on every shipped stage: the same
// optimum and next step, the same lost or live, the same way back along
// the optimal plan and along random walks.
#include <fstream>
#include <iterator>
#include <random>

#include "content/shipped_stage_run.h"
#include "play/play_advice.h"
#include "play/position_answer.h"
#include "position_search.h"
#include "solver.h"

namespace {

StageData ReadShippedStage(int stage) {
    std::ifstream in(ShippedStageRun::GameFolder() / StageFilePath(stage), std::ios::binary);
    return ParseStageFile(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {})).stage;
}

// A random walk that never clears, blocked steps skipped.
std::vector<StepDirection> RandomMoves(const StageData& stage, int length, std::mt19937& random) {
    std::vector<StepDirection> moves;
    RuleState rules = StartingRuleState(stage);
    RulePlayer player = StartingPlayer(stage);
    for (int tries = 0; static_cast<int>(moves.size()) < length && tries < 8 * length; ++tries) {
        const auto direction = static_cast<StepDirection>(random() % 4);
        RuleState next = rules;
        RulePlayer moved = player;
        const MoveOutcome outcome = PlayMove(next, moved, direction);
        if (outcome.blocked || outcome.cleared) continue;
        rules = next;
        player = moved;
        moves.push_back(direction);
    }
    return moves;
}

const char* KindName(PositionVerdict::Kind kind) {
    switch (kind) {
        case PositionVerdict::Kind::Live: return "live";
        case PositionVerdict::Kind::Lost: return "lost";
        case PositionVerdict::Kind::Unknown: return "unknown";
    }
    return "?";
}

}  // namespace

class PositionSearchTest : public ShippedStageRun {
protected:
    // Every `stride`th position of `line` (the last always) judged both
    // ways; the way back counted along the line up to it.
    void ExpectSameAnswers(const StageData& stage, const StageAdvisor& advisor, const std::vector<PlayPosition>& line,
                           int number, std::size_t stride) {
        for (std::size_t end = line.size(); end >= 1; end = end > stride ? end - stride : 0) {
            const PlayPosition& here = line[end - 1];
            const PositionVerdict graph = advisor.Judge(here.rules, here.cell);
            const PositionVerdict searched = SearchVerdict(stage, here);
            ASSERT_EQ(KindName(searched.kind), KindName(graph.kind)) << "stage " << number << " position " << end;
            EXPECT_EQ(searched.toClear, graph.toClear) << "stage " << number << " position " << end;
            EXPECT_EQ(searched.next, graph.next) << "stage " << number << " position " << end;
            LiveSearch live(stage);
            const std::span<const PlayPosition> upTo(line.data(), end);
            EXPECT_EQ(KindName(live.Judge(here)), KindName(graph.kind)) << "stage " << number << " position " << end;
            EXPECT_EQ(live.StepsBackToLive(upTo), advisor.StepsBackToLive(upTo))
                << "stage " << number << " position " << end;
            lost += graph.Lost();
        }
    }

    int lost = 0;
};

TEST_F(PositionSearchTest, AnswersEqualTheAnalysisOnTheOptimalPlanAndRandomWalksOfEveryStage) {
    std::mt19937 random(23);
    for (int number = 1; number <= stageCount; ++number) {
        const StageData stage = ReadShippedStage(number);
        const StageAdvisor advisor(stage, std::size_t{512} << 20);
        ASSERT_EQ(advisor.status(), StageAdvisor::Status::Ready) << "stage " << number;
        // Small stages are cheap to search everywhere; the few large ones
        // get a sample so the suite stays quick.
        const bool large = advisor.States() > 20000;
        ExpectSameAnswers(stage, advisor, PositionsAlong(stage, SolveStage(stage).moves), number, large ? 7 : 1);
        for (int i = 0; i < (large ? 2 : 6); ++i) {
            const int length = 1 + static_cast<int>(random() % static_cast<unsigned>(2 * advisor.Optimum()));
            ExpectSameAnswers(stage, advisor, PositionsAlong(stage, RandomMoves(stage, length, random)), number, large ? 9 : 1);
        }
    }
    EXPECT_GT(lost, 50) << "the walks should reach the stages' dead states";
}

TEST_F(PositionSearchTest, ABoundTooSmallAnswersUnknownInsteadOfGuessing) {
    const StageData stage = ReadShippedStage(stageCount);
    const PlayPosition start{StartingRuleState(stage), stage.start};
    EXPECT_EQ(KindName(SearchVerdict(stage, start, 64 << 10).kind), "unknown");
    LiveSearch live(stage, 64 << 10);
    const std::vector<PlayPosition> line{start};
    EXPECT_EQ(live.StepsBackToLive(line), -1);
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_EQ(KindName(SearchVerdict(stage, start, kPositionSearchBytes, stopped.get_token()).kind), "unknown");
}

// The worker the game runs: a lost position's answer with its way back, a
// live one's with its optimum and step, both as the analysis has them.
TEST_F(PositionSearchTest, TheGamesWorkerAnswersAsTheAnalysis) {
    int checked = 0;
    std::mt19937 random(7);
    for (int number = 1; number <= stageCount && checked < 40; ++number) {
        const StageData stage = ReadShippedStage(number);
        const StageAdvisor advisor(stage);
        for (int i = 0; i < 20; ++i) {
            const std::vector<PlayPosition> line = PositionsAlong(stage, RandomMoves(stage, 3 + static_cast<int>(random() % 20), random));
            const PositionVerdict graph = advisor.Judge(line.back().rules, line.back().cell);
            if (!graph.Lost() && i % 5 != 0) continue;  // mostly lost lines: they are the rarer case
            PositionAnswer answer(stage, line);
            std::optional<PositionVerdict> searched;
            while (!(searched = answer.Verdict())) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ASSERT_EQ(KindName(searched->kind), KindName(graph.kind)) << "stage " << number;
            EXPECT_EQ(searched->toClear, graph.toClear) << "stage " << number;
            EXPECT_EQ(searched->next, graph.next) << "stage " << number;
            if (graph.Lost()) {
                EXPECT_EQ(answer.UndoSteps(), advisor.StepsBackToLive(line)) << "stage " << number;
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 40);
}

// The game's side while its analysis cannot answer (here: given no room, as
// a stage too large for it would be): every step is judged by the search,
// and the warning's way back follows the undo history.
class SearchedAdviceTest : public PositionSearchTest {
protected:
    // Follows frames (1 ms apart) until the position has a verdict; the
    // frames it took.
    int FramesToVerdict(PlayAdvice& advice, const PlayPosition& here, const StepHistory& history) {
        int frames = 1;
        for (advice.Follow(here.rules, here.cell, history); !advice.Verdict(); ++frames) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            advice.Follow(here.rules, here.cell, history);
        }
        return frames;
    }
    static PlayPoint PointOf(const PlayPosition& position) {
        PlayPoint point;
        point.rules = position.rules;
        point.figure.cell = position.cell;
        return point;
    }
};

TEST_F(SearchedAdviceTest, EveryStepOfAWalkIntoATrapIsJudgedAsTheAnalysisJudgesIt) {
    std::mt19937 random(5);
    int lostSeen = 0;
    for (int number = 1; number <= stageCount; ++number) {
        const StageData stage = ReadShippedStage(number);
        const StageAdvisor advisor(stage);
        if (advisor.States() > 20000) continue;
        PlayAdvice advice;
        advice.SetStage(stage);
        advice.Start(1024);
        StepHistory history;
        const std::vector<PlayPosition> line = PositionsAlong(stage, RandomMoves(stage, 2 * advisor.Optimum(), random));
        for (std::size_t end = 1; end <= line.size(); ++end) {
            if (end > 1) history.Record(PointOf(line[end - 2]));
            const PlayPosition& here = line[end - 1];
            FramesToVerdict(advice, here, history);
            const PositionVerdict graph = advisor.Judge(here.rules, here.cell);
            ASSERT_EQ(KindName(advice.Verdict()->kind), KindName(graph.kind)) << "stage " << number << " step " << end;
            EXPECT_EQ(advice.Verdict()->toClear, graph.toClear) << "stage " << number << " step " << end;
            EXPECT_EQ(advice.Verdict()->next, graph.next) << "stage " << number << " step " << end;
            if (graph.Lost()) {
                EXPECT_EQ(advice.UndoSteps(), advisor.StepsBackToLive({line.data(), end})) << "stage " << number;
                ++lostSeen;
            }
        }
    }
    EXPECT_GT(lostSeen, 10);
}

TEST_F(SearchedAdviceTest, FollowingTheSearchedPlanNeedsNoNewSearch) {
    const StageData stage = ReadShippedStage(stageCount);
    PlayAdvice advice;
    advice.SetStage(stage);
    advice.Start(1024);
    StepHistory history;
    PlayPosition here{StartingRuleState(stage), stage.start};
    FramesToVerdict(advice, here, history);
    const int optimum = advice.Verdict()->toClear;
    ASSERT_EQ(optimum, stage.par);
    for (int left = optimum; left > 1; --left) {
        ASSERT_TRUE(advice.Verdict()->next);
        history.Record(PointOf(here));
        RulePlayer player;
        player.cell = here.cell;
        ASSERT_FALSE(PlayMove(here.rules, player, *advice.Verdict()->next).cleared);
        here.cell = player.cell;
        EXPECT_EQ(FramesToVerdict(advice, here, history), 1) << left << " steps left";
        EXPECT_EQ(advice.Verdict()->toClear, left - 1);
    }
    RulePlayer player;
    player.cell = here.cell;
    EXPECT_TRUE(PlayMove(here.rules, player, *advice.Verdict()->next).cleared);
}
