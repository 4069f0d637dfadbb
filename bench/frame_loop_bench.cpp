// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the game's real frame loop on the SDL platform for a while and prints
// the processor time it used (percent of one core) and how far apart the
// frames began. Run it through bench/frame_loop.sh, which provides a display.
//   frame_loop_bench [seconds] [scene id]
// Without a scene id (or when that id builds no scene yet) the loop runs a
// scene that draws nothing, so the screen stays black.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "media/media.h"
#include "shell/game.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Measurement {
    std::vector<Clock::time_point> frameStarts;
    std::vector<uint32_t> frameStartsMs;  // by the layer's millisecond clock
    double cpuAtFirstFrame = 0;
    double cpuAtLastFrame = 0;
};

// Forwards to the scene under test (if any) and ends the game after the
// measured time; it never switches scenes, so one scene is measured.
class TimedScene final : public CSeen {
public:
    TimedScene(std::unique_ptr<CSeen> inner, double seconds, Measurement& m)
        : inner_(std::move(inner)), seconds_(seconds), m_(m) {
        nextId = SceneOpening;
    }
    SceneId GetNextId(int32_t) override { return nextId; }
    SceneId Update(uint32_t pressed) override {
        const Clock::time_point now = Clock::now();
        if (m_.frameStarts.empty()) m_.cpuAtFirstFrame = CpuSeconds();
        m_.frameStarts.push_back(now);
        m_.frameStartsMs.push_back(static_cast<uint32_t>(GetTimeMs()));
        if (std::chrono::duration<double>(now - m_.frameStarts.front()).count() >= seconds_) {
            m_.cpuAtLastFrame = CpuSeconds();
            nextId = SceneEnd;
        }
        if (inner_) inner_->Update(pressed);
        return nextId;
    }
    SceneId Step(int32_t arg) override {
        if (inner_) inner_->Step(arg);
        return nextId;
    }
    void Draw() override {
        if (inner_) inner_->Draw();
    }

private:
    std::unique_ptr<CSeen> inner_;
    double seconds_;
    Measurement& m_;
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(p * (values.size() - 1) + 0.5));
    return values[index];
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const SceneId sceneId = argc > 2 ? std::atoi(argv[2]) : SceneEnd;
    Measurement m;
    bool innerBuilt = false;
    const int result = RunGame([&](SceneId) -> std::unique_ptr<CSeen> {
        std::unique_ptr<CSeen> inner = sceneId != SceneEnd ? BuildScene(sceneId) : nullptr;
        innerBuilt = inner != nullptr;
        return std::make_unique<TimedScene>(std::move(inner), seconds, m);
    });
    if (result != 0 || m.frameStarts.size() < 3) {
        std::fprintf(stderr, "the frame loop did not run (result %d, %zu frames); is a stage file in the current folder "
                     "and no other copy running?\n", result, m.frameStarts.size());
        return 1;
    }

    std::vector<double> intervals;
    uint32_t shortestMs = UINT32_MAX;
    for (size_t i = 1; i < m.frameStarts.size(); ++i) {
        intervals.push_back(std::chrono::duration<double, std::milli>(m.frameStarts[i] - m.frameStarts[i - 1]).count());
        shortestMs = std::min(shortestMs, m.frameStartsMs[i] - m.frameStartsMs[i - 1]);
    }
    const double wall = std::chrono::duration<double>(m.frameStarts.back() - m.frameStarts.front()).count();
    const double cpu = m.cpuAtLastFrame - m.cpuAtFirstFrame;
    const size_t under17 = std::count_if(intervals.begin(), intervals.end(), [](double v) { return v < 17.0; });

    std::printf("scene: %s\n", innerBuilt ? "the game's scene" : "blank (draws nothing)");
    std::printf("frames: %zu in %.2f s (%.2f frames/s)\n", m.frameStarts.size(), wall,
                (m.frameStarts.size() - 1) / wall);
    std::printf("processor: %.2f %% of one core\n", 100.0 * cpu / wall);
    std::printf("frame interval: median %.3f ms, p99 %.3f ms, min %.3f ms, max %.3f ms\n", Percentile(intervals, 0.5),
                Percentile(intervals, 0.99), Percentile(intervals, 0.0), Percentile(intervals, 1.0));
    std::printf("shortest interval by the millisecond clock: %u ms; intervals under 17.0 ms by the fine clock: %zu\n",
                shortestMs, under17);
    return 0;
}
