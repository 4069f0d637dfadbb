// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_folder.h"

#include <cstdlib>
#include <system_error>

#include "play/stage_file.h"
#include "resources/save_data.h"
#include "resources/writable.h"

#ifndef VELTRIM_INSTALLED_DATA_FOLDER
#define VELTRIM_INSTALLED_DATA_FOLDER "../share/games/veltrim"
#endif

namespace {

namespace fs = std::filesystem;

constexpr const char* kSaveFileName = "data.sav";

bool HoldsFirstStage(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / StageFilePath(1), error);
}

}  // namespace

fs::path FindDataFolder(const fs::path& programFile, const fs::path& installedData) {
    if (programFile.empty()) return {};
    const fs::path own = programFile.parent_path();
    if (own.empty()) return {};
    if (HoldsFirstStage(own)) return own;
    const fs::path installed = (own / installedData).lexically_normal();
    if (HoldsFirstStage(installed)) return installed;
    return {};
}

fs::path InstalledDataFolder() { return VELTRIM_INSTALLED_DATA_FOLDER; }

fs::path EnterDataFolder(const fs::path& programFile) {
    const fs::path folder = FindDataFolder(programFile, InstalledDataFolder());
    if (folder.empty()) return {};
    std::error_code error;
    fs::current_path(folder, error);
    return error ? fs::path() : folder;
}

fs::path RunningProgramFile() {
    std::error_code error;
    fs::path file = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : file;
}

fs::path UserSaveFolder(const char* xdgDataHome, const char* home) {
    // The XDG base-directory rules say a relative XDG_DATA_HOME is to be ignored.
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "veltrim";
    if (home && *home) return fs::path(home) / ".local" / "share" / "veltrim";
    return {};
}

GameLayout LayoutOf(const fs::path& dataFolder, const fs::path& programFile) {
    std::error_code error;
    const fs::path own = programFile.parent_path();
    if (dataFolder.empty() || own.empty() || fs::equivalent(dataFolder, own, error)) return GameLayout::Portable;
    return GameLayout::Installed;
}

std::vector<std::string> SavePlaces(const fs::path& dataFolder, GameLayout layout, const fs::path& userFolder) {
    const fs::path user = userFolder.empty() ? fs::path() : userFolder / kSaveFileName;
    if (layout == GameLayout::Installed) return user.empty() ? std::vector<std::string>{} : std::vector{user.string()};
    const fs::path beside = dataFolder / kSaveFileName;
    if (WritableByMode(dataFolder) || user.empty()) return {beside.string()};
    return {user.string(), beside.string()};
}

void SettleIntoGameFolders(const fs::path& programFile) {
    fs::path folder = EnterDataFolder(programFile);
    const GameLayout layout = LayoutOf(folder, programFile);
    std::error_code error;
    if (folder.empty()) folder = fs::current_path(error);  // the game reports what is missing there
    SaveData::SetFilePlaces(SavePlaces(fs::absolute(folder, error), layout,
                                       UserSaveFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))));
}
