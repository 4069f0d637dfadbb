// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/soundfont_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace media_detail {
namespace {

bool IsReadableFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string FindSoundFont() {
    if (const char* chosen = std::getenv(kSoundFontVariable); chosen != nullptr) {
        return IsReadableFile(chosen) ? std::string(chosen) : std::string();
    }
    // TimGM6mb (package timgm6mb-soundfont): 6 MB, loads in about 20 ms and
    // keeps the game's memory small. Larger General MIDI sets are not looked
    // for on purpose: they would take the game past its memory budget.
    const char* const candidates[] = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/TimGM6mb.sf2",
    };
    for (const char* path : candidates)
        if (IsReadableFile(path)) return path;
    return {};
}

}  // namespace media_detail
