// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the game's pictures as PNG files into a folder:
//   draw_pictures [--zoom N] <folder> [name...]
// Without names it draws all of them; --zoom enlarges them for looking at. The names are the game's file names
// without ".bfg"; "icon" is the window icon, "icon-<size>" the desktop's icons. "--stages <folder>" gives the staff roll the stage set's
// chapters. A stage's own background is drawn from its source:
//   draw_pictures [--zoom N] --stage <source.stage> <picture.png>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include <fstream>
#include <iterator>

#include "pictures.h"
#include "chapters.h"
#include "stage_backgrounds.h"
#include "stage_source.h"
#include "picgen/png_out.h"

namespace {

picgen::Canvas Enlarged(const picgen::Canvas& c, int zoom) {
    picgen::Canvas out(c.Width() * zoom, c.Height() * zoom);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) out.At(x, y) = c.At(x / zoom, y / zoom);
    return out;
}

void Write(const pictures::Picture& picture, const std::string& path) {
    switch (picture.format) {
        case pictures::Format::Keyed: picgen::WriteKeyedPng(picture.canvas, path); break;
        case pictures::Format::Opaque: picgen::WriteOpaquePng(picture.canvas, path); break;
        case pictures::Format::Alpha: picgen::WriteAlphaPng(picture.canvas, path); break;
    }
}

int DrawStage(const std::string& sourcePath, const std::string& path, int zoom) {
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read the file\n", sourcePath.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const StageSourceResult source = ParseStageSource(text);
    if (!source.ok) {
        std::fprintf(stderr, "%s:%d: %s\n", sourcePath.c_str(), source.line, source.reason.c_str());
        return 1;
    }
    const int number = StageNumberOfSourceName(sourcePath);
    if (number == 0) {
        std::fprintf(stderr, "%s: the file name starts with no stage number\n", sourcePath.c_str());
        return 1;
    }
    try {
        pictures::Picture picture = pictures::StageBackground(source.source, number);
        if (zoom > 1) picture.canvas = Enlarged(picture.canvas, zoom);
        Write(picture, path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int zoom = 1;
    if (argc > 2 && std::string(argv[1]) == "--zoom") {
        zoom = std::max(1, std::atoi(argv[2]));
        argc -= 2;
        argv += 2;
    }
    std::string stageFolder;
    if (argc > 2 && std::string(argv[1]) == "--stages") {
        stageFolder = argv[2];
        argc -= 2;
        argv += 2;
    }
    if (argc == 4 && std::string(argv[1]) == "--stage") return DrawStage(argv[2], argv[3], zoom);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_pictures [--zoom N] <folder> [name...]\n"
                             "       draw_pictures [--zoom N] --stage <source.stage> <picture.png>\n");
        return 2;
    }
    using namespace pictures;
    std::map<std::string, std::function<Picture()>> makers = {
        {"logo", Logo},
        {"title_bg", TitleBackground},
        {"title_menu", TitleMenu},
        {"select_bg", SelectBackground},
        {"select_frames", SelectFrames},
        {"select_icons", SelectIcons},
        {"number", Numbers},
        {"stage_title", StageTitle},
        {"tails", Tiles},
        {"heroine", Heroine},
        {"ending_title", EndingTitle},
        {"ending_logo", EndingLogo},
        {"staffroll",
         [&] {
             return StaffRoll(stageFolder.empty() ? std::vector<Chapter>{} : ChaptersOf(ReadStageFolder(stageFolder)));
         }},
        {"bg1", [] { return StageBackground(1); }},
        {"bg2", [] { return StageBackground(2); }},
        {"bg3", [] { return StageBackground(3); }},
        {"icon", [] { return WindowIcon(); }},
    };
    // The desktop's icon sizes: "icon-<size>".
    for (int size : {16, 32, 48, 64, 128, 256})
        makers.emplace("icon-" + std::to_string(size), [size] { return WindowIcon(size); });
    std::string folder = argv[1];
    std::map<std::string, std::function<Picture()>> chosen;
    for (int i = 2; i < argc; ++i) {
        auto it = makers.find(argv[i]);
        if (it == makers.end()) {
            std::fprintf(stderr, "draw_pictures: no picture named %s\n", argv[i]);
            return 2;
        }
        chosen.insert(*it);
    }
    if (chosen.empty()) chosen = makers;
    try {
        for (const auto& [name, make] : chosen) {
            Picture picture = make();
            if (zoom > 1) picture.canvas = Enlarged(picture.canvas, zoom);
            Write(picture, folder + "/" + name + ".png");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
