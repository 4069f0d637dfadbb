// screenshots <game folder> <out folder> <moves>
// Plays the real game (every scene, the frame loop, the renderer) on the
// headless platform, from a copy of the game folder whose save continues at
// the last stage: shows the title and the stage selection, plays the last
// stage with the given solution (letters L, U, R, D, as the stage solver
// prints them) to its clear and watches the ending.
// Saves title.png, select.png, stage.png, ending.png and ending_logo.png.
// Fails when the game showed any message box on the way.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"
#include "picgen/png_out.h"
#include "play/stage_file.h"
#include "resources/save_data.h"
#include "shell/game.h"
#include "tour.h"

namespace fs = std::filesystem;

namespace {

int CountStages() {
    int n = 0;
    while (fs::exists(StageFilePath(n + 1))) ++n;
    return n;
}

bool ParseMoves(const std::string& text, std::vector<StepDirection>& moves) {
    for (char c : text) {
        switch (c) {
            case 'L': moves.push_back(StepDirection::Left); break;
            case 'U': moves.push_back(StepDirection::Up); break;
            case 'R': moves.push_back(StepDirection::Right); break;
            case 'D': moves.push_back(StepDirection::Down); break;
            default: return false;
        }
    }
    return !moves.empty();
}

void WriteFrame(const std::vector<uint32_t>& pixels, const fs::path& path) {
    picgen::Canvas c(kScreenWidth, kScreenHeight);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            uint32_t p = pixels[static_cast<size_t>(y) * kScreenWidth + x];
            c.At(x, y) = {((p >> 16) & 255) / 255.0f, ((p >> 8) & 255) / 255.0f, (p & 255) / 255.0f, 1.0f};
        }
    picgen::WriteOpaquePng(c, path.string());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<StepDirection> moves;
    if (argc != 4 || !ParseMoves(argv[3], moves)) {
        std::fprintf(stderr, "usage: screenshots <game folder> <out folder> <moves LURD...>\n");
        return 2;
    }
    const fs::path out = fs::absolute(argv[2]);
    fs::create_directories(out);
    // A copy of the game folder, so the player's own save is never touched.
    const fs::path work = fs::temp_directory_path() / ("veltrim-screenshots-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(argv[1], work, fs::copy_options::recursive);
    fs::remove(work / "data.sav");
    fs::current_path(work);

    const int stages = CountStages();
    if (stages == 0) {
        std::fprintf(stderr, "screenshots: no stages in %s\n", argv[1]);
        return 1;
    }
    SaveData* save = SaveData::Instance(static_cast<uint8_t>(stages));
    save->continueStage = static_cast<uint8_t>(stages);
    save->Save();
    SaveData::Destroy();

    const Tour tour = PlanTour(moves);
    std::set<std::string> written;
    headless::UseHeadlessPlatform();
    headless::SetInputScript([&](int frame, headless::FrameInput& input) {
        int next = frame + 1;
        if (next >= tour.lastFrame) input.keysHeld = {KEY_ESCAPE};
        else if (auto it = tour.keyAt.find(next); it != tour.keyAt.end()) input.keysHeld = {it->second};
        else input.keysHeld.clear();
    });
    headless::SetFrameObserver([&](int frame, const std::vector<uint32_t>& pixels) {
        if (auto it = tour.snapshots.find(frame); it != tour.snapshots.end()) {
            WriteFrame(pixels, out / (it->second + ".png"));
            written.insert(it->second);
        }
    });
    const int result = RunGame();
    const auto messages = headless::Messages();
    fs::current_path(out);
    fs::remove_all(work);

    for (const auto& m : messages) std::fprintf(stderr, "message box: %s (%s)\n", m.text.c_str(), m.caption.c_str());
    std::printf("last stage %d played in %zu steps; %d frames; %zu of %zu pictures written to %s\n", stages,
                moves.size(), headless::FramesPresented(), written.size(), tour.snapshots.size(), out.c_str());
    return result == 0 && messages.empty() && written.size() == tour.snapshots.size() ? 0 : 1;
}
