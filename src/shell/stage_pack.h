// SPDX-License-Identifier: GPL-3.0-or-later
// "veltrim FOLDER": the game plays a folder of stages (stage1.map,
// stage2.map, ...) instead of its own, through the same scenes, and keeps
// that folder's progress apart from its own.
#pragma once

#include <filesystem>
#include <string>

// The name of a folder's progress folder: its own name with every character
// but letters, digits, '-', '_' and '.' made '_' (at most 40 of them), a
// '-', and 8 hex digits of a hash of its absolute path, so two folders of
// one name keep apart.
std::string PackProgressName(const std::filesystem::path& absoluteFolder);

// Where a folder's data.sav lives: <user folder>/packs/<progress name>.
std::filesystem::path PackProgressFolder(const std::filesystem::path& absoluteFolder,
                                         const std::filesystem::path& userFolder);

// Sets the game to play `folder` (relative to the directory the game was
// started from) and to keep its progress in the user's folder. The game's own
// data.sav is neither read nor written. A missing folder, or one without
// stage 1, is then reported by the usual start-up ("no stages").
void PlayStagePack(const std::filesystem::path& folder, const std::filesystem::path& userFolder);
