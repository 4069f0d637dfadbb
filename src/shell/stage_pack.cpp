// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/stage_pack.h"

#include <cstdint>
#include <cstdio>
#include <system_error>
#include <vector>

#include "play/stage_folder.h"
#include "resources/save_data.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameCharacters = 40;

// FNV-1a, 64 bits: stable across runs and machines, which a progress folder needs.
std::uint64_t PathHash(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool SafeCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

}  // namespace

std::string PackProgressName(const fs::path& absoluteFolder) {
    fs::path folder = absoluteFolder.lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();  // "packs/mine/" names "mine"
    std::string name;
    for (unsigned char c : folder.filename().string()) {
        if (name.size() == kMaxNameCharacters) break;
        name += SafeCharacter(c) ? static_cast<char>(c) : '_';
    }
    if (name.empty() || name.find_first_not_of('.') == std::string::npos) name = "stages";  // never "." or ".."
    char hash[9] = {};
    std::snprintf(hash, sizeof hash, "%08llx", static_cast<unsigned long long>(PathHash(folder.string()) >> 32));
    return name + "-" + hash;
}

fs::path PackProgressFolder(const fs::path& absoluteFolder, const fs::path& userFolder) {
    return userFolder / "packs" / PackProgressName(absoluteFolder);
}

void PlayStagePack(const fs::path& folder, const fs::path& userFolder) {
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (absolute.empty()) absolute = fs::absolute(folder, error);
    SetStageFolder(absolute);
    // Without a user folder there is nowhere to keep the progress apart:
    // beside the stages, never in the game's own data.sav.
    const fs::path progress = userFolder.empty() ? absolute : PackProgressFolder(absolute, userFolder);
    SaveData::SetFilePlaces({(progress / "data.sav").string()});
}
