// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture the game reads, drawn in code. Each maker returns the finished
// canvas and how it is to be written.
#pragma once

#include <string>
#include <vector>

#include "picgen/canvas.h"

namespace pictures {

enum class Format {
    Keyed,   // sprite sheet: see-through pixels become pure green
    Opaque,  // whole picture, no see-through pixels
    Alpha,   // with an alpha channel (the window icon)
};

struct Picture {
    picgen::Canvas canvas;
    Format format = Format::Keyed;
};

Picture Logo();
Picture TitleBackground();
Picture TitleMenu();
Picture SelectBackground();
Picture SelectFrames();
Picture SelectIcons();
Picture Numbers();
Picture StageTitle();
Picture Tiles();
Picture Heroine();
Picture EndingTitle();
Picture EndingLogo();
// A run of stages that brings in one new thing, named after it.
struct Chapter {
    int first = 1;
    int last = 1;
    std::string name;
};
Picture StaffRoll(const std::vector<Chapter>& chapters);
Picture StageBackground(int number);
Picture WindowIcon(int size = 32);

}  // namespace pictures
