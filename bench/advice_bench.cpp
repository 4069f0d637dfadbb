// SPDX-License-Identifier: GPL-3.0-or-later
// The hint and the dead-end test on every shipped stage: their latency from
// each position of the stage's optimal path and from 1,000 random reachable
// positions (random walks from the start, the walk being the undo history
// the dead-end test counts back along), then the analysis each stage needs
// before its first answer, and the peak memory. Until the analysis is built
// the game answers by searching from the position itself, both at once on
// their own workers: the first answer a player sees after a stage starts is
// whichever comes first. A position k steps from the start cannot be asked
// about before k walks have passed, so the analysis has had that long; the
// searches are also shown as if asked the instant the stage starts.
//   bench_advice [stage folder] [random positions per stage]
#include "position_search.h"
#include "stage_advisor.h"
#include "solver.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The figure walks a cell in eight frames of 17 ms; warps and slides take
// longer, so this is the least time k steps can take.
constexpr double kStepMicros = 8 * 17 * 1000.0;

double MicrosSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct Figures {
    std::vector<double> samples;
    void Add(double micros) { samples.push_back(micros); }
    void Print(const char* what) {
        std::sort(samples.begin(), samples.end());
        auto at = [&](double share) { return samples[static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1))]; };
        std::printf("%-34s %8zu samples  median %9.1f us  p99 %9.1f us  worst %9.1f us\n", what, samples.size(),
                    at(0.5), at(0.99), samples.back());
    }
};

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// A random walk of `length` steps that never clears (blocked steps skipped).
std::vector<StepDirection> RandomWalk(const StageData& stage, int length, std::mt19937& random) {
    constexpr StepDirection kDirections[] = {StepDirection::Left, StepDirection::Up, StepDirection::Right,
                                             StepDirection::Down};
    std::vector<StepDirection> moves;
    RuleState rules = StartingRuleState(stage);
    RulePlayer player = StartingPlayer(stage);
    for (int tries = 0; static_cast<int>(moves.size()) < length && tries < 8 * length; ++tries) {
        const StepDirection direction = kDirections[random() % 4];
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

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : VELTRIM_STAGE_DIR;
    const int randomPositions = argc > 2 ? std::stoi(argv[2]) : 1000;
    Figures hint, deadEnd, analysis, firstAnswer, firstHint, firstDeadEnd, seenHint, seenDeadEnd;
    // The same on the stages whose analysis alone would miss the target.
    Figures slowSeenHint, slowSeenDeadEnd;
    constexpr double kSlowAnalysisMicros = 50000;
    std::size_t peakGraphBytes = 0;
    std::size_t peakSearchBytes = 0;
    int unanswered = 0;
    int disagreements = 0;
    int worstStage = 0;
    double worstAnalysis = 0;
    std::mt19937 random(2026);
    for (int number = 1; std::filesystem::exists(folder / ("stage" + std::to_string(number) + ".map")); ++number) {
        const StageFileResult parsed = ParseStageFile(ReadFile(folder / ("stage" + std::to_string(number) + ".map")));
        if (!parsed) continue;
        const StageData& stage = parsed.stage;
        const Clock::time_point built = Clock::now();
        const std::clock_t builtCpu = std::clock();
        const StageAdvisor advisor(stage);
        const double buildMicros = MicrosSince(built);
        const double buildCpuMs = 1000.0 * static_cast<double>(std::clock() - builtCpu) / CLOCKS_PER_SEC;
        analysis.Add(buildMicros);
        if (buildMicros > worstAnalysis) worstAnalysis = buildMicros, worstStage = number;
        peakGraphBytes = std::max(peakGraphBytes, advisor.PeakBytes());
        std::vector<std::vector<PlayPosition>> lines;
        const std::vector<PlayPosition> optimal = PositionsAlong(stage, SolveStage(stage).moves);
        for (std::size_t end = 1; end < optimal.size(); ++end) lines.emplace_back(optimal.begin(), optimal.begin() + end);
        for (int i = 0; i < randomPositions; ++i) {
            const int length = 1 + static_cast<int>(random() % static_cast<unsigned>(2 * std::max(1, advisor.Optimum())));
            lines.push_back(PositionsAlong(stage, RandomWalk(stage, length, random)));
        }
        int lost = 0;
        for (const std::vector<PlayPosition>& line : lines) {
            const PlayPosition& here = line.back();
            Clock::time_point start = Clock::now();
            const PositionVerdict verdict = advisor.Judge(here.rules, here.cell);
            const double hintMicros = MicrosSince(start);
            hint.Add(hintMicros);
            start = Clock::now();
            const PositionVerdict judged = advisor.Judge(here.rules, here.cell);
            const int back = judged.Lost() ? advisor.StepsBackToLive(line) : 0;
            deadEnd.Add(MicrosSince(start));
            lost += verdict.Lost() && back > 0;
            if (&line == &lines.front()) firstAnswer.Add(buildMicros + hintMicros);

            // The same questions right after the stage starts, before the
            // analysis is ready: a search that cannot answer leaves the
            // player waiting for the analysis.
            const double analysisLeft = std::max(0.0, buildMicros - static_cast<double>(line.size() - 1) * kStepMicros);
            start = Clock::now();
            const PositionVerdict searched = SearchVerdict(stage, here);
            double micros = MicrosSince(start);
            firstHint.Add(searched.kind == PositionVerdict::Kind::Unknown ? std::max(micros, buildMicros) : micros);
            const double hintSeen = searched.kind == PositionVerdict::Kind::Unknown ? analysisLeft : std::min(micros, analysisLeft);
            seenHint.Add(hintSeen);
            if (buildMicros > kSlowAnalysisMicros) slowSeenHint.Add(hintSeen);
            start = Clock::now();
            LiveSearch live(stage);
            const PositionVerdict::Kind kind = live.Judge(here);
            const int searchedBack = kind == PositionVerdict::Kind::Lost ? live.StepsBackToLive(line) : 0;
            micros = MicrosSince(start);
            const bool answered = kind != PositionVerdict::Kind::Unknown && searchedBack >= 0;
            firstDeadEnd.Add(answered ? micros : std::max(micros, buildMicros));
            const double deadEndSeen = answered ? std::min(micros, analysisLeft) : analysisLeft;
            seenDeadEnd.Add(deadEndSeen);
            if (buildMicros > kSlowAnalysisMicros) slowSeenDeadEnd.Add(deadEndSeen);
            unanswered += (searched.kind == PositionVerdict::Kind::Unknown) + !answered;
            peakSearchBytes = std::max(peakSearchBytes, live.PeakBytes());
            disagreements += searched.kind != verdict.kind || searched.toClear != verdict.toClear ||
                             searched.next != verdict.next || (answered && (kind != verdict.kind || searchedBack != back));
        }
        std::printf("stage %2d: %8zu positions, analysis %7.1f ms (%7.1f ms of CPU), %5.1f MiB, %4d of %zu sampled positions lost\n",
                    number, advisor.States(), buildMicros / 1000, buildCpuMs,
                    static_cast<double>(advisor.PeakBytes()) / (1 << 20), lost, lines.size());
    }
    std::printf("\n");
    std::printf("with the analysis built:\n");
    hint.Print("hint (position judged, next step)");
    deadEnd.Print("dead-end test (with the way back)");
    analysis.Print("stage analysis (once per stage)");
    firstAnswer.Print("first answer of a stage");
    std::printf("\nthe first answer after a stage starts, as the player sees it (search or analysis, whichever first):\n");
    seenHint.Print("hint");
    seenDeadEnd.Print("dead-end test (with the way back)");
    if (!slowSeenHint.samples.empty()) {
        std::printf("the same on the stages whose analysis took over 50 ms:\n");
        slowSeenHint.Print("hint");
        slowSeenDeadEnd.Print("dead-end test (with the way back)");
    }
    std::printf("the searches alone, as if every position were asked about at the stage's start:\n");
    firstHint.Print("hint, searched from the position");
    firstDeadEnd.Print("dead-end test, searched");
    std::printf("slowest analysis: stage %d, %.1f ms\n", worstStage, worstAnalysis / 1000);
    std::printf("searches left to the analysis: %d; answers unlike the analysis': %d\n", unanswered, disagreements);
    std::printf("peak memory: graph tables %.1f MiB, one position search %.1f MiB (bound %.0f MiB), process resident %.1f MiB\n",
                static_cast<double>(peakGraphBytes) / (1 << 20), static_cast<double>(peakSearchBytes) / (1 << 20),
                static_cast<double>(kPositionSearchBytes) / (1 << 20), static_cast<double>(PeakResidentKiB()) / 1024);
    return 0;
}
