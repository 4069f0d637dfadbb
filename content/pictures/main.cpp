// Draws the game's pictures as PNG files into a folder:
//   draw_pictures [--zoom N] <folder> [name...]
// Without names it draws all of them; --zoom enlarges them for looking at. The names are the game's file names
// without ".bfg"; "icon" is the window icon, "icon-<size>" the desktop's icons.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "pictures.h"
#include "picgen/png_out.h"

namespace {

picgen::Canvas Enlarged(const picgen::Canvas& c, int zoom) {
    picgen::Canvas out(c.Width() * zoom, c.Height() * zoom);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) out.At(x, y) = c.At(x / zoom, y / zoom);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    int zoom = 1;
    if (argc > 2 && std::string(argv[1]) == "--zoom") {
        zoom = std::max(1, std::atoi(argv[2]));
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_pictures [--zoom N] <folder> [name...]\n");
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
        {"staffroll", StaffRoll},
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
            std::string path = folder + "/" + name + ".png";
            switch (picture.format) {
                case Format::Keyed: picgen::WriteKeyedPng(picture.canvas, path); break;
                case Format::Opaque: picgen::WriteOpaquePng(picture.canvas, path); break;
                case Format::Alpha: picgen::WriteAlphaPng(picture.canvas, path); break;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
