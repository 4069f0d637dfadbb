// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "resources/writable.h"

namespace {

// Makes the rename itself survive a power cut; failure here loses nothing.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
    ok = std::fflush(raw) == 0 && ok;
    ok = ::fsync(::fileno(raw)) == 0 && ok;
    ok = std::fclose(raw) == 0 && ok;
    return ok;
}

std::filesystem::path FolderOf(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    return folder.empty() ? "." : folder;
}

// Makes a missing folder and its parents, each only inside a folder that may
// be written (root could make them anywhere).
bool MakeFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::exists(folder, error)) return std::filesystem::is_directory(folder, error);
    const std::filesystem::path parent = folder.parent_path();
    if (parent.empty() || parent == folder || !MakeFolders(parent) || !WritableByMode(parent)) return false;
    return std::filesystem::create_directory(folder, error) && !error;
}

}  // namespace

bool ReplaceFile(const std::string& file, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path folder = FolderOf(file);
    std::error_code error;
    if (!MakeFolders(folder) || !WritableByMode(folder)) return false;
    if (std::filesystem::exists(file, error) && !WritableByMode(file)) return false;
    const std::string temporary = file + ".tmp";
    if (!WriteWhole(temporary, bytes) || std::rename(temporary.c_str(), file.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}
