// SPDX-License-Identifier: GPL-3.0-or-later
// Renderer speed: the map-scene frame against SDL2's own software blitter
// running the same draw list, and full-screen stretched and rotated draws.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "media/media.h"
#include "media/media_internal.h"

namespace {

constexpr uint32_t kKey = 0x00FF00;

// A picture with a pattern and, where keyed, a pure green border per cell.
std::vector<uint32_t> Pattern(int width, int height, int cellW, int cellH, bool keyed) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = keyed && (x % cellW < 3 || y % cellH < 5 || x % cellW >= cellW - 3);
            pixels[static_cast<size_t>(y) * width + x] =
                border ? kKey : static_cast<uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x ^ y) & 0xFF));
        }
    return pixels;
}

std::vector<uint8_t> RawFile(int width, int height, const std::vector<uint32_t>& pixels) {
    // A 32-bit top-down BMP: no alpha channel, so the green key applies.
    std::vector<uint8_t> b(54 + pixels.size() * 4, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54), put32(14, 40), put32(18, static_cast<uint32_t>(width)), put32(22, static_cast<uint32_t>(-height));
    b[26] = 1, b[28] = 32;
    for (size_t i = 0; i < pixels.size(); ++i) put32(54 + 4 * i, pixels[i]);
    return b;
}

struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;
    int handle = -1;
    SDL_Surface* surface = nullptr;
};

Picture MakePicture(int width, int height, int cellW, int cellH, bool keyed) {
    Picture p{width, height, Pattern(width, height, cellW, cellH, keyed)};
    const auto file = RawFile(width, height, p.pixels);
    p.handle = CreateImageFromMemory(file.data(), static_cast<int>(file.size()), nullptr, 0, 1, 0);
    p.surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    SDL_LockSurface(p.surface);
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<uint8_t*>(p.surface->pixels) + y * p.surface->pitch, &p.pixels[static_cast<size_t>(y) * width],
                    static_cast<size_t>(width) * 4);
    SDL_UnlockSurface(p.surface);
    SDL_SetColorKey(p.surface, SDL_TRUE, kKey);
    return p;
}

// The pictures of one map scene: background, tile sheet, figure, digits and
// the half-transparent overlay (a fade or the pause shade).
struct Scene {
    Picture background = MakePicture(640, 480, 640, 480, false);
    Picture tiles = MakePicture(256, 256, 32, 64, true);
    Picture figure = MakePicture(128, 256, 32, 64, true);
    Picture digits = MakePicture(80, 16, 8, 16, true);
    Picture overlay = MakePicture(640, 480, 640, 480, false);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_RGB888);
};

Scene& TheScene() {
    static bool started = media_detail::GraphicsInit();
    static Scene scene;
    (void)started;
    return scene;
}

// The draw list, through our renderer.
void DrawFrameOurs(Scene& s) {
    ClearScreen();
    DrawImage(0, 0, s.background.handle, 1);
    for (int i = 0; i < 160; ++i) {
        const int column = 2 + i % 16, row = 2 + (i / 16) % 10;
        DrawImageRect(column * 32, row * 32 - 32, (i % 8) * 32, ((i / 8) % 4) * 64, 32, 64, s.tiles.handle, 1, 0);
    }
    DrawImageRect(300, 200, 32, 64, 32, 64, s.figure.handle, 1, 0);
    for (int number = 0; number < 3; ++number) {
        if (number == 2) SetDrawBrightness(252, 199, 199);
        for (int digit = 0; digit < 3; ++digit)
            DrawImageRect(560 + digit * 8, 40 + number * 24, ((number + digit) % 10) * 8, 0, 8, 16, s.digits.handle, 1, 0);
        SetDrawBrightness(255, 255, 255);
    }
    SetBlendMode(1, 128);
    DrawImage(0, 0, s.overlay.handle, 1);
    SetBlendMode(0, 0);
}

void Blit(SDL_Surface* from, int sx, int sy, int w, int h, SDL_Surface* to, int x, int y) {
    SDL_Rect source{sx, sy, w, h}, target{x, y, w, h};
    SDL_BlitSurface(from, &source, to, &target);
}

// The same list through SDL_BlitSurface (colour key, colour and alpha modulation).
void DrawFrameSdl(Scene& s) {
    SDL_FillRect(s.screen, nullptr, 0);
    Blit(s.background.surface, 0, 0, 640, 480, s.screen, 0, 0);
    for (int i = 0; i < 160; ++i) {
        const int column = 2 + i % 16, row = 2 + (i / 16) % 10;
        Blit(s.tiles.surface, (i % 8) * 32, ((i / 8) % 4) * 64, 32, 64, s.screen, column * 32, row * 32 - 32);
    }
    Blit(s.figure.surface, 32, 64, 32, 64, s.screen, 300, 200);
    for (int number = 0; number < 3; ++number) {
        if (number == 2) SDL_SetSurfaceColorMod(s.digits.surface, 252, 199, 199);
        for (int digit = 0; digit < 3; ++digit)
            Blit(s.digits.surface, ((number + digit) % 10) * 8, 0, 8, 16, s.screen, 560 + digit * 8, 40 + number * 24);
        SDL_SetSurfaceColorMod(s.digits.surface, 255, 255, 255);
    }
    SDL_SetSurfaceBlendMode(s.overlay.surface, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(s.overlay.surface, 128);
    Blit(s.overlay.surface, 0, 0, 640, 480, s.screen, 0, 0);
}

void BM_MapSceneFrame_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        DrawFrameOurs(s);
        benchmark::DoNotOptimize(media_detail::BackBufferPixels()[1234]);
    }
}
BENCHMARK(BM_MapSceneFrame_Ours)->Unit(benchmark::kMicrosecond);

void BM_MapSceneFrame_SdlBlitSurface(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        DrawFrameSdl(s);
        benchmark::DoNotOptimize(static_cast<uint32_t*>(s.screen->pixels)[1234]);
    }
}
BENCHMARK(BM_MapSceneFrame_SdlBlitSurface)->Unit(benchmark::kMicrosecond);

// SDL's kindest case for comparison: the overlay without a colour key lets
// SDL take its dedicated half-alpha loop.
void BM_MapSceneFrame_SdlUnkeyedOverlay(benchmark::State& state) {
    Scene& s = TheScene();
    SDL_SetColorKey(s.overlay.surface, SDL_FALSE, 0);
    for (auto _ : state) {
        DrawFrameSdl(s);
        benchmark::DoNotOptimize(static_cast<uint32_t*>(s.screen->pixels)[1234]);
    }
    SDL_SetColorKey(s.overlay.surface, SDL_TRUE, kKey);
}
BENCHMARK(BM_MapSceneFrame_SdlUnkeyedOverlay)->Unit(benchmark::kMicrosecond);

void BM_StretchedFullScreen(benchmark::State& state) {
    static Picture half = MakePicture(320, 240, 320, 240, false);
    TheScene();
    for (auto _ : state) {
        DrawImageStretched(0, 0, 640, 480, half.handle, 1);
        benchmark::DoNotOptimize(media_detail::BackBufferPixels()[1234]);
    }
}
BENCHMARK(BM_StretchedFullScreen)->Unit(benchmark::kMicrosecond);

void BM_RotatedFullScreen(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        DrawImageRotated(320, 240, 1.0, 30 * 0.017453292, s.background.handle, 1, 0);
        benchmark::DoNotOptimize(media_detail::BackBufferPixels()[1234]);
    }
}
BENCHMARK(BM_RotatedFullScreen)->Unit(benchmark::kMicrosecond);

// "Nothing" as the selection screen draws it every frame.
void BM_DrawTextNothing(benchmark::State& state) {
    TheScene();
    SetFontType(3);
    SetFontSize(24);
    for (auto _ : state) {
        DrawText(280, 230, "Nothing", MakeColor(255, 255, 255), 0);
        benchmark::DoNotOptimize(media_detail::BackBufferPixels()[1234]);
    }
}
BENCHMARK(BM_DrawTextNothing)->Unit(benchmark::kMicrosecond);

// Prints the ratio of the two frame timings after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (run.run_type == Run::RT_Iteration || mean) {
                // With repetitions the mean replaces the single runs.
                Timing& t = times_[run.run_name.function_name];
                if (mean || !t.fromMean) t = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(), mean};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // CPU time is the fairer figure on a loaded machine; both are printed.
    void PrintRatio() const {
        const auto ours = times_.find("BM_MapSceneFrame_Ours");
        const auto sdl = times_.find("BM_MapSceneFrame_SdlBlitSurface");
        if (ours == times_.end() || sdl == times_.end()) return;
        std::printf("map-scene frame (real): ours %.1f us, SDL_BlitSurface %.1f us, ratio ours/SDL %.2f\n",
                    ours->second.real, sdl->second.real, ours->second.real / sdl->second.real);
        std::printf("map-scene frame (CPU):  ours %.1f us, SDL_BlitSurface %.1f us, ratio ours/SDL %.2f\n",
                    ours->second.cpu, sdl->second.cpu, ours->second.cpu / sdl->second.cpu);
    }

private:
    struct Timing {
        double real = 0;
        double cpu = 0;
        bool fromMean = false;
    };
    std::map<std::string, Timing> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
