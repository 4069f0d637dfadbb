// SPDX-License-Identifier: GPL-3.0-or-later
// Where the General MIDI soundfont for the music is found.
#pragma once

#include <string>

namespace media_detail {

// Environment variable a packager sets to the soundfont file to use.
constexpr const char* kSoundFontVariable = "VELTRIM_SOUNDFONT";

// The soundfont to load: the file named by VELTRIM_SOUNDFONT when that
// variable is set (and only that file), else the first existing file of
// the Debian soundfont package the game is measured with. Empty when none
// exists: the game then runs without music.
std::string FindSoundFont();

}  // namespace media_detail
