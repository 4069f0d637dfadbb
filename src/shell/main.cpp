// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry of the game: "veltrim" plays the game's own stages,
// "veltrim FOLDER" the stage files of that folder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "resources/messages.h"
#include "shell/data_folder.h"
#include "shell/game.h"
#include "shell/stage_pack.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: veltrim [FOLDER]\n");
        return 2;
    }
    std::error_code error;
    // Taken before the game enters its own folder: FOLDER is relative to where it was started.
    const std::filesystem::path pack = argc == 2 ? std::filesystem::absolute(argv[1], error) : std::filesystem::path();
    SettleIntoGameFolders(RunningProgramFile());
    // The catalogues lie among the game's files, portable or installed.
    StartMessageTranslation({"locale"}, std::getenv);
    if (argc == 2) PlayStagePack(pack, UserSaveFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    return RunGame();
}
