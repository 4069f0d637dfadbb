#include "shell/data_folder.h"

#include <system_error>

#include "play/stage_file.h"

namespace {

bool HoldsFirstStage(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / StageFilePath(1), error);
}

}  // namespace

bool EnterDataFolder(const std::filesystem::path& programFile) {
    if (HoldsFirstStage(".") || programFile.empty()) return false;
    const std::filesystem::path folder = programFile.parent_path();
    if (folder.empty() || !HoldsFirstStage(folder)) return false;
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

std::filesystem::path RunningProgramFile() {
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file;
}
