// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stage_folder.h"

#include "play/stage_file.h"

namespace {

namespace fs = std::filesystem;

// The one setting, made at start-up before any scene reads a stage.
fs::path& Folder() {
    static fs::path folder;
    return folder;
}

}  // namespace

void SetStageFolder(const fs::path& folder) { Folder() = folder; }

const fs::path& StageFolder() { return Folder(); }

std::string PlayedStagePath(int stage) {
    if (Folder().empty()) return StageFilePath(stage);
    return (Folder() / ("stage" + std::to_string(stage) + ".map")).string();
}

std::string StagePicturePath(const std::string& name) {
    if (Folder().empty() || name.empty()) return name;
    const fs::path own = Folder() / fs::path(name).filename();
    std::error_code error;
    return fs::is_regular_file(own, error) ? own.string() : name;
}
