// SPDX-License-Identifier: GPL-3.0-or-later
// The live verdict: its figures against the critic, what changes between two
// boards, and a worker that never delivers a search overtaken by an edit.
#include "stage_document.h"
#include "verdict.h"
#include "verdict_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

namespace {

using What = VerdictChange::What;

// An arrow fires down into a dead-end column of marks: without it the column
// must be walked down and back, landing on its marks again and again.
constexpr const char* kArrowColumn =
    "title: Arrow column\n"
    "limit: 2\n"
    "features: arrow\n"
    "map:\n"
    "................\n"
    "................\n"
    "....S-v-----B...\n"
    "......1.........\n"
    "......1.........\n"
    "......1.........\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n";

StageDocument ArrowColumn() {
    StageDocument::Opened opened = StageDocument::FromSourceText(kArrowColumn);
    EXPECT_TRUE(opened.document) << opened.error;
    return std::move(*opened.document);
}

Verdict Judge(const StageDocument& document) {
    VerdictSubject subject;
    subject.stage = document.StageForPlay();
    subject.design = document.Stage().design;
    subject.number = 20;
    // An earlier stage of the folder teaches the arrow's run that stage 20 relies on.
    CritiquedStage teacher;
    teacher.file = "05-run.stage";
    teacher.number = 5;
    teacher.design.teaches = {"arrow-run"};
    subject.others = {teacher};
    return JudgeStage(subject);
}

bool Has(const std::vector<VerdictChange>& changes, const VerdictChange& change) {
    return std::find(changes.begin(), changes.end(), change) != changes.end();
}

std::string LargestShippedSource() {
    // Stage 49 has the most reachable positions of the shipped set (the
    // critic's table: stagecrit --table content/stages/*.stage).
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages")) {
        if (entry.path().filename().string().rfind("49-", 0) == 0) {
            std::ifstream in(entry.path(), std::ios::binary);
            return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
    }
    return {};
}

}  // namespace

TEST(VerdictFigures, NameTheOptimumTrapsAndTheTilesANeed) {
    const Verdict verdict = Judge(ArrowColumn());
    EXPECT_TRUE(verdict.solvable);
    EXPECT_EQ(verdict.optimum, 8);
    ASSERT_EQ(verdict.kinds.size(), 1u);
    EXPECT_EQ(verdict.kinds[0].kind, "arrow");
    EXPECT_EQ(verdict.kinds[0].verdict, KindNecessity::Verdict::Longer);
    EXPECT_GT(verdict.kinds[0].change, 0);
    EXPECT_TRUE(verdict.kinds[0].Needed());
    EXPECT_TRUE(verdict.breaches.empty()) << verdict.breaches[0].Message();

    const Critique critique = CritiqueStage(ArrowColumn().StageForPlay());
    EXPECT_TRUE(verdict.graphComplete);
    EXPECT_EQ(verdict.states, critique.states);
    EXPECT_EQ(verdict.deadStates, critique.deadStates);
    EXPECT_EQ(verdict.trapDepth, critique.trapDepth);
    EXPECT_EQ(verdict.plans, critique.plans);
}

TEST(VerdictChanges, AnArrowMadeNecessaryThenNotThenAnUnsolvableEdit) {
    StageDocument document = ArrowColumn();
    const Verdict needed = Judge(document);

    // Marks already at 2: the arrow now spoils them, and the walk is shorter without it.
    for (int row = 5; row <= 7; ++row) document.Paint({8, row}, PaletteEntryOfCode(CELL_MARK_2), row > 5);
    const Verdict notNeeded = Judge(document);
    ASSERT_TRUE(notNeeded.solvable);
    const std::vector<VerdictChange> first = VerdictChanges(needed, notNeeded);
    EXPECT_TRUE(Has(first, {What::KindNeeded, "arrow", 0, 1, 0}));
    EXPECT_TRUE(Has(first, {What::Optimum, "", 0, 8, notNeeded.optimum}));
    EXPECT_FALSE(Has(first, {What::Solvable, "", 0, 1, 0}));
    EXPECT_TRUE(std::any_of(notNeeded.breaches.begin(), notNeeded.breaches.end(),
                            [](const RuleBreach& b) { return b.rule == 1; }))
        << "a featured arrow that is not needed breaks rule 1";

    // Back: the arrow is needed again, and the rule is kept.
    ASSERT_TRUE(document.Undo());
    const std::vector<VerdictChange> back = VerdictChanges(notNeeded, Judge(document));
    EXPECT_TRUE(Has(back, {What::KindNeeded, "arrow", 0, 0, 1}));
    EXPECT_TRUE(Has(back, {What::Rule, "", 1, 1, 0}));

    // The corridor to the goal cut: nothing clears any more.
    document.Paint({11, 4}, PaletteEntryOfCode(CELL_EMPTY));
    const Verdict cut = Judge(document);
    EXPECT_FALSE(cut.solvable);
    const std::vector<VerdictChange> last = VerdictChanges(needed, cut);
    EXPECT_TRUE(Has(last, {What::Solvable, "", 0, 1, 0}));
    EXPECT_TRUE(Has(last, {What::Rule, "", 0, 0, 1})) << "rule 0: the stage cannot be cleared";
}

// Judged beside the shipped set, as the editor judges a file of it, a stage
// that relies on a warp pair taught by an earlier "teaches: warp10" and on an
// arrow's run taught by name breaks no rule, as in the build's check.
TEST(VerdictFigures, ASourceBesideItsSetIsJudgedAsTheBuildJudgesIt) {
    const std::filesystem::path folder = std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("22-", 0) != 0) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        StageDocument::Opened opened = StageDocument::FromSourceText(text);
        ASSERT_TRUE(opened.document) << opened.error;
        VerdictSubject subject;
        subject.file = entry.path().string();
        subject.stage = opened.document->StageForPlay();
        subject.design = opened.document->Stage().design;
        subject.number = 22;
        subject.others = OtherStagesBeside(entry.path().string());
        const Verdict verdict = JudgeStage(subject);
        EXPECT_TRUE(verdict.solvable);
        for (const RuleBreach& breach : verdict.breaches) ADD_FAILURE() << breach.Message();
        return;
    }
    FAIL() << "no stage 22 among the shipped sources";
}

TEST(VerdictChanges, NoneBetweenEqualVerdicts) {
    const Verdict verdict = Judge(ArrowColumn());
    EXPECT_TRUE(VerdictChanges(verdict, verdict).empty());
}

TEST(VerdictWorker, ASearchOvertakenByAnEditIsNeverDelivered) {
    std::mutex mutex;
    std::condition_variable delivered;
    std::vector<std::pair<std::uint64_t, int>> deliveries;  // request, optimum
    VerdictWorker worker([&](const Verdict& verdict, std::uint64_t request) {
        std::lock_guard lock(mutex);
        deliveries.emplace_back(request, verdict.optimum);
        delivered.notify_all();
    });

    StageDocument::Opened large = StageDocument::FromSourceText(LargestShippedSource());
    ASSERT_TRUE(large.document) << large.error;
    VerdictSubject big;
    big.stage = large.document->StageForPlay();
    worker.Request(big);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the large search is under way
    VerdictSubject small;
    small.stage = ArrowColumn().StageForPlay();
    const std::uint64_t latest = worker.Request(small);

    std::unique_lock lock(mutex);
    ASSERT_TRUE(delivered.wait_for(lock, std::chrono::seconds(20), [&] { return !deliveries.empty(); }));
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // time for a stray delivery to show
    lock.lock();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].first, latest);
    EXPECT_EQ(deliveries[0].second, 8);
    EXPECT_EQ(worker.Latest(), latest);
}

TEST(VerdictWorker, ClosingDuringASearchStopsIt) {
    StageDocument::Opened large = StageDocument::FromSourceText(LargestShippedSource());
    ASSERT_TRUE(large.document);
    int deliveries = 0;
    {
        VerdictWorker worker([&](const Verdict&, std::uint64_t) { ++deliveries; });
        VerdictSubject big;
        big.stage = large.document->StageForPlay();
        worker.Request(big);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    EXPECT_EQ(deliveries, 0) << "the destructor cancels the search rather than waiting it out";
}

TEST(CriticThreads, HelpersChangeNoFigure) {
    StageDocument::Opened large = StageDocument::FromSourceText(LargestShippedSource());
    ASSERT_TRUE(large.document);
    for (const StageData& stage : {ArrowColumn().StageForPlay(), large.document->StageForPlay()}) {
        CritiqueLimits one;
        CritiqueLimits three;
        three.threads = 3;
        const Critique a = CritiqueStage(stage, one);
        const Critique b = CritiqueStage(stage, three);
        EXPECT_EQ(a.optimum, b.optimum);
        EXPECT_EQ(a.states, b.states);
        EXPECT_EQ(a.plans, b.plans);
        ASSERT_EQ(a.necessity.size(), b.necessity.size());
        for (std::size_t k = 0; k < a.necessity.size(); ++k) {
            EXPECT_EQ(a.necessity[k].kind, b.necessity[k].kind);
            EXPECT_EQ(a.necessity[k].optimum, b.necessity[k].optimum);
            EXPECT_EQ(a.necessity[k].verdict, b.necessity[k].verdict);
        }
    }
}

TEST(CriticThreads, ACancelledSearchSaysSo) {
    std::stop_source stopped;
    stopped.request_stop();
    SolverLimits limits;
    limits.stop = stopped.get_token();
    EXPECT_EQ(SolveStage(ArrowColumn().StageForPlay(), limits).status, SolveStatus::Cancelled);
    CritiqueLimits critique;
    critique.stop = stopped.get_token();
    critique.threads = 2;
    const Critique given = CritiqueStage(ArrowColumn().StageForPlay(), critique);
    EXPECT_TRUE(given.cancelled);
    EXPECT_TRUE(given.necessity.empty());
    EXPECT_FALSE(given.graphComplete);
}
